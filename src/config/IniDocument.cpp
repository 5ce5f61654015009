#include "config/IniDocument.h"

#include "config/Unicode.h"

#include <algorithm>

namespace kestrel {

namespace {

constexpr std::uint8_t kUtf16LeBom[] = {0xFF, 0xFE};
constexpr std::uint8_t kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
// No character takes more code units than this in either encoding.
constexpr std::size_t kMaxUnitsPerCharacter = 4;

bool startsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char16_t foldedAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return foldedAscii(x) == foldedAscii(y); });
}

bool isComment(std::u16string_view trimmedLine)
{
    return !trimmedLine.empty() && trimmedLine.front() == u';';
}

// "[name]" gives "name"; a header missing its "]" runs to the end of the line.
std::optional<std::u16string_view> sectionHeaderName(std::u16string_view trimmedLine)
{
    if (trimmedLine.empty() || trimmedLine.front() != u'[') return std::nullopt;
    std::u16string_view name = trimmedLine.substr(1);
    const std::size_t close = name.rfind(u']');
    if (close != std::u16string_view::npos) name = name.substr(0, close);
    return trimmed(name);
}

std::u16string_view unquoted(std::u16string_view value)
{
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string singleLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

} // namespace

struct IniDocument::Line {
    std::size_t begin;
    // End of the line's text, before its "\n" or "\r\n".
    std::size_t end;
    std::size_t next;
    bool hasBreak;
};

struct IniDocument::Section {
    std::size_t bodyBegin;
    std::size_t bodyEnd;
    // Just after the last non-blank line (the header at least): where a new
    // key goes, so that blank lines before the next section stay there.
    std::size_t insertAt;
    bool insertNeedsBreak;
};

struct IniDocument::Entry {
    // Everything after the "=" up to the end of the line's text.
    std::size_t valueBegin;
    std::size_t valueEnd;
};

IniDocument IniDocument::fromBytes(std::span<const std::uint8_t> bytes)
{
    IniDocument document;
    if (startsWith(bytes, kUtf16LeBom)) {
        document.encoding_ = Encoding::Utf16Le;
        document.prefix_.assign(bytes.begin(), bytes.begin() + 2);
        const std::span<const std::uint8_t> body = bytes.subspan(2);
        document.units_.reserve(body.size() / 2);
        for (std::size_t i = 0; i + 1 < body.size(); i += 2)
            document.units_ += static_cast<char16_t>(body[i] | (body[i + 1] << 8));
        if (body.size() % 2 != 0) document.suffix_.push_back(body.back());
        return document;
    }
    const std::size_t bomSize = startsWith(bytes, kUtf8Bom) ? std::size(kUtf8Bom) : 0;
    document.prefix_.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bomSize));
    document.units_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(bomSize), bytes.end());
    return document;
}

std::vector<std::uint8_t> IniDocument::toBytes() const
{
    std::vector<std::uint8_t> bytes(prefix_);
    bytes.reserve(prefix_.size() + units_.size() * 2 + suffix_.size());
    for (const char16_t unit : units_) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        if (encoding_ == Encoding::Utf16Le) bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.insert(bytes.end(), suffix_.begin(), suffix_.end());
    return bytes;
}

std::string IniDocument::value(std::string_view section, std::string_view key) const
{
    const std::optional<Section> found = findSection(toUnits(section));
    if (!found) return {};
    const std::optional<Entry> entry = findEntry(*found, toUnits(key));
    if (!entry) return {};
    const std::u16string_view raw(units_.data() + entry->valueBegin, entry->valueEnd - entry->valueBegin);
    std::u16string_view text = unquoted(trimmed(raw));
    // Like the profile functions' C strings, a value ends at a NUL.
    text = text.substr(0, text.find(u'\0'));
    text = text.substr(0, kMaxValueLength * kMaxUnitsPerCharacter);
    return std::string(unicode::firstCodePoints(fromUnits(text), kMaxValueLength));
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::u16string sectionUnits = toUnits(singleLine(section));
    const std::u16string keyUnits = toUnits(singleLine(key));
    const std::u16string valueUnits = toUnits(singleLine(value));
    const std::u16string entryLine = keyUnits + u'=' + valueUnits;

    const std::optional<Section> found = findSection(sectionUnits);
    if (!found) {
        appendSection(sectionUnits, entryLine);
        return;
    }
    if (const std::optional<Entry> entry = findEntry(*found, keyUnits)) {
        units_.replace(entry->valueBegin, entry->valueEnd - entry->valueBegin, valueUnits);
        return;
    }
    const std::u16string lineBreakUnits(lineBreak());
    if (found->insertNeedsBreak)
        units_.insert(found->insertAt, lineBreakUnits + entryLine);
    else
        units_.insert(found->insertAt, entryLine + lineBreakUnits);
}

IniDocument::Line IniDocument::lineAt(std::size_t pos) const
{
    const std::size_t newline = units_.find(u'\n', pos);
    Line line{pos, newline, newline + 1, true};
    if (newline == std::u16string::npos) line = Line{pos, units_.size(), units_.size(), false};
    if (line.end > line.begin && units_[line.end - 1] == u'\r') --line.end;
    return line;
}

std::optional<IniDocument::Section> IniDocument::findSection(std::u16string_view name) const
{
    const std::u16string_view text(units_);
    std::optional<Section> found;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = lineAt(pos);
        pos = line.next;
        const std::u16string_view content = trimmed(text.substr(line.begin, line.end - line.begin));
        const std::optional<std::u16string_view> header = sectionHeaderName(content);
        if (found) {
            if (header) {
                found->bodyEnd = line.begin;
                return found;
            }
            if (!content.empty()) {
                found->insertAt = line.next;
                found->insertNeedsBreak = !line.hasBreak;
            }
        } else if (header && equalIgnoringAsciiCase(*header, name)) {
            found = Section{line.next, text.size(), line.next, !line.hasBreak};
        }
    }
    return found;
}

std::optional<IniDocument::Entry> IniDocument::findEntry(const Section& section, std::u16string_view key) const
{
    const std::u16string_view text(units_);
    for (std::size_t pos = section.bodyBegin; pos < section.bodyEnd;) {
        const Line line = lineAt(pos);
        pos = line.next;
        const std::u16string_view content = text.substr(line.begin, line.end - line.begin);
        const std::size_t equals = content.find(u'=');
        if (equals == std::u16string_view::npos || isComment(trimmed(content))) continue;
        if (equalIgnoringAsciiCase(trimmed(content.substr(0, equals)), key))
            return Entry{line.begin + equals + 1, line.end};
    }
    return std::nullopt;
}

void IniDocument::appendSection(std::u16string_view name, std::u16string_view entryLine)
{
    const std::u16string lineBreakUnits(lineBreak());
    if (!units_.empty() && units_.back() != u'\n') units_ += lineBreakUnits;
    units_ += u'[';
    units_ += name;
    units_ += u']';
    units_ += lineBreakUnits;
    units_ += entryLine;
    units_ += lineBreakUnits;
}

// New lines follow the file's own line breaks; a file without any gets the
// profile functions' "\r\n".
std::u16string_view IniDocument::lineBreak() const
{
    const std::size_t newline = units_.find(u'\n');
    const bool bare = newline != std::u16string::npos && (newline == 0 || units_[newline - 1] != u'\r');
    return bare ? u"\n" : u"\r\n";
}

std::u16string IniDocument::toUnits(std::string_view utf8) const
{
    if (encoding_ == Encoding::Utf16Le) return unicode::utf16FromUtf8(utf8);
    const std::string text = unicode::sanitizedUtf8(utf8);
    std::u16string units(text.size(), u'\0');
    std::transform(text.begin(), text.end(), units.begin(), [](char c) { return static_cast<unsigned char>(c); });
    return units;
}

std::string IniDocument::fromUnits(std::u16string_view units) const
{
    if (encoding_ == Encoding::Utf16Le) return unicode::utf8FromUtf16(units);
    std::string bytes(units.size(), '\0');
    std::transform(units.begin(), units.end(), bytes.begin(), [](char16_t unit) { return static_cast<char>(unit); });
    return unicode::sanitizedUtf8(bytes);
}

} // namespace kestrel
