#include "config/IniFile.h"

#include "config/BinaryFile.h"

#include <utility>

namespace kestrel {

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

IniFile::ReadResult IniFile::load() const
{
    const BinaryFile::ReadResult contents = BinaryFile::read(path_, kMaxSize);
    if (contents.error == std::errc::no_such_file_or_directory) return {};
    if (contents.error) return {IniDocument(), contents.error};
    return {IniDocument::fromBytes(contents.bytes), {}};
}

IniDocument IniFile::read() const
{
    return load().document;
}

std::string IniFile::value(std::string_view section, std::string_view key) const
{
    return read().value(section, key);
}

std::error_code IniFile::write(std::span<const IniEntry> entries) const
{
    ReadResult current = load();
    if (current.error) return current.error;
    for (const IniEntry& entry : entries) current.document.setValue(entry.section, entry.key, entry.value);
    return BinaryFile::replace(path_, current.document.toBytes());
}

std::error_code IniFile::write(std::string_view section, std::string_view key, std::string_view value) const
{
    const IniEntry entry{section, key, value};
    return write(std::span(&entry, 1));
}

} // namespace kestrel
