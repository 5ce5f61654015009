#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The text of an INI file with the lookup rules of the Windows profile
// functions: section and key names match without regard to ASCII case, the
// first matching section and, inside it, the first matching key win, names
// and values are trimmed of blanks, a value in matching quotes loses them,
// and a value keeps at most 1023 characters. Setting one key changes only
// that key's line (or adds a line, or a section at the end); every other
// byte, undecodable ones included, stays as it was.
// A file starting with the UTF-16LE byte order mark is UTF-16LE; anything
// else is UTF-8, with or without its byte order mark. Names and values are
// passed as UTF-8; undecodable text reads as U+FFFD.
class IniDocument {
public:
    enum class Encoding { Utf8, Utf16Le };
    static constexpr std::size_t kMaxValueLength = 1023;

    // An empty document; it is saved as UTF-8.
    IniDocument() = default;
    static IniDocument fromBytes(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> toBytes() const;

    Encoding encoding() const { return encoding_; }

    // The value, or "" when the section or key is absent.
    std::string value(std::string_view section, std::string_view key) const;
    // Line breaks in the arguments would split the line; they become blanks.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line;
    struct Section;
    struct Entry;

    Line lineAt(std::size_t pos) const;
    std::optional<Section> findSection(std::u16string_view name) const;
    std::optional<Entry> findEntry(const Section& section, std::u16string_view key) const;
    void appendSection(std::u16string_view name, std::u16string_view entryLine);
    std::u16string_view lineBreak() const;
    std::u16string toUnits(std::string_view utf8) const;
    std::string fromUnits(std::u16string_view units) const;

    Encoding encoding_ = Encoding::Utf8;
    // Byte order mark kept as found.
    std::vector<std::uint8_t> prefix_;
    // The text's code units: bytes for UTF-8, 16-bit units for UTF-16LE.
    std::u16string units_;
    // An odd last byte of a UTF-16LE file, kept so that nothing is lost.
    std::vector<std::uint8_t> suffix_;
};

} // namespace kestrel
