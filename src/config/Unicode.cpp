#include "config/Unicode.h"

#include <cstdint>

namespace kestrel::unicode {

namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// Range allowed for the second byte of a sequence led by `lead`; the later
// bytes are always 0x80..0xBF. The narrowed ranges exclude overlong forms,
// surrogates and values above U+10FFFF.
struct LeadRule {
    std::size_t length;
    std::uint8_t secondLow;
    std::uint8_t secondHigh;
};

LeadRule ruleFor(std::uint8_t lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Decodes the character at `pos`. A malformed sequence yields U+FFFD and
// consumes its longest valid prefix (at least one byte), so decoding resumes
// at the first byte that could start a new character.
Decoded decodeAt(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    const LeadRule rule = ruleFor(lead);
    if (rule.length == 0) return {kReplacement, 1};

    char32_t value = lead & (0xFF >> (rule.length + 1));
    for (std::size_t i = 1; i < rule.length; ++i) {
        if (pos + i >= text.size()) return {kReplacement, i};
        const auto byte = static_cast<std::uint8_t>(text[pos + i]);
        const std::uint8_t low = i == 1 ? rule.secondLow : 0x80;
        const std::uint8_t high = i == 1 ? rule.secondHigh : 0xBF;
        if (byte < low || byte > high) return {kReplacement, i};
        value = (value << 6) | (byte & 0x3F);
    }
    return {value, rule.length};
}

template <typename Sink>
void forEachCodePoint(std::string_view utf8, Sink sink)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded d = decodeAt(utf8, pos);
        sink(d.codePoint);
        pos += d.length;
    }
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    const char32_t offset = c - 0x10000;
    out += static_cast<char16_t>(0xD800 + (offset >> 10));
    out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::u16string utf16FromUtf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&out](char32_t c) { appendUtf16(out, c); });
    return out;
}

std::string utf8FromUtf16(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (isHighSurrogate(unit) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) {
            const char32_t c = 0x10000 + ((unit - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            appendUtf8(out, c);
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string sanitizedUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&out](char32_t c) { appendUtf8(out, c); });
    return out;
}

std::string_view firstCodePoints(std::string_view utf8, std::size_t maxCodePoints)
{
    std::size_t pos = 0;
    for (std::size_t count = 0; count < maxCodePoints && pos < utf8.size(); ++count)
        pos += decodeAt(utf8, pos).length;
    return utf8.substr(0, pos);
}

std::filesystem::path pathFromUtf8(std::string_view utf8)
{
#ifdef _WIN32
    // The conversion to UTF-16 throws on malformed input.
    const std::string text = sanitizedUtf8(utf8);
#else
    const std::string_view text = utf8;
#endif
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace kestrel::unicode
