#include "IniFile.h"

#include "BinaryFile.h"

#include <utility>

namespace kestrel {

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

IniDocument IniFile::read() const
{
    const BinaryFile::ReadResult contents = BinaryFile::read(path_);
    return contents.error ? IniDocument() : IniDocument::fromBytes(contents.bytes);
}

std::string IniFile::value(std::string_view section, std::string_view key) const
{
    return read().value(section, key);
}

bool IniFile::write(std::span<const IniEntry> entries) const
{
    const BinaryFile::ReadResult contents = BinaryFile::read(path_);
    if (contents.error && contents.error != std::errc::no_such_file_or_directory) return false;
    IniDocument document = IniDocument::fromBytes(contents.bytes);
    for (const IniEntry& entry : entries) document.setValue(entry.section, entry.key, entry.value);
    return !BinaryFile::replace(path_, document.toBytes());
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) const
{
    const IniEntry entry{section, key, value};
    return write(std::span(&entry, 1));
}

} // namespace kestrel
