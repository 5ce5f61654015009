#pragma once

#include "IniDocument.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

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
// replaced atomically; a file that exists but cannot be read is never
// overwritten, since its contents would be lost.
class IniFile {
public:
    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    IniDocument read() const;
    std::string value(std::string_view section, std::string_view key) const;

    // Sets the keys in order and saves once; true when the file was written.
    bool write(std::span<const IniEntry> entries) const;
    bool write(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::filesystem::path path_;
};

} // namespace kestrel
