#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Conversions between UTF-8 and UTF-16 for the settings files. Malformed input
// (stray continuation bytes, overlong forms, encoded or unpaired surrogates,
// truncated sequences) never fails: each bad piece becomes U+FFFD.
namespace kestrel::unicode {

inline constexpr char32_t kReplacement = 0xFFFD;

std::u16string utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(std::u16string_view utf16);

// Well-formed UTF-8 with the same text; malformed pieces replaced.
std::string sanitizedUtf8(std::string_view utf8);

// The first maxCodePoints characters of well-formed UTF-8 text.
std::string_view firstCodePoints(std::string_view utf8, std::size_t maxCodePoints);

// Paths to and from UTF-8 text. A path built from a plain string takes it in
// the ANSI code page on Windows; these keep every name reachable and print it
// the same way on every platform.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace kestrel::unicode
