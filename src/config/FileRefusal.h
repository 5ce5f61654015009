#pragma once

#include <system_error>
#include <type_traits>

namespace kestrel {

// Why a file the program reads was refused before its contents were used.
// Such a file is left exactly as it is.
enum class FileRefusal {
    // A folder, pipe, device or socket: reading it could block for ever or
    // never end.
    NotARegularFile = 1,
    // More bytes than a file of its kind can hold.
    TooLarge,
};

const std::error_category& fileRefusalCategory();

std::error_code make_error_code(FileRefusal refusal);

} // namespace kestrel

template <>
struct std::is_error_code_enum<kestrel::FileRefusal> : std::true_type {};
