#pragma once

#include "config/IniDocument.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrel {

// One key's new value for IniFile::write.
struct IniEntry {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

// An INI file on disk, opened and closed by every call like the profile
// functions. A missing or unreadable file reads as empty; writing creates a
// missing file (UTF-8) and keeps an existing file's encoding. The file is
// replaced atomically; a file that exists but cannot be read (or is no
// regular file, or is larger than kMaxSize) is never overwritten, since its
// contents would be lost.
class IniFile {
public:
    // Settings files hold a few kilobytes; a megabyte leaves any hand-made
    // file plenty of room while keeping a runaway one out of memory.
    static constexpr std::size_t kMaxSize = std::size_t{1} << 20;

    struct ReadResult {
        IniDocument document;
        // Set when the file exists but was refused or could not be read; a
        // missing file is an empty document and no error.
        std::error_code error;
    };

    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    ReadResult load() const;
    IniDocument read() const;
    std::string value(std::string_view section, std::string_view key) const;

    // Sets the keys in order and saves once; the error when nothing was written.
    std::error_code write(std::span<const IniEntry> entries) const;
    std::error_code write(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::filesystem::path path_;
};

} // namespace kestrel
