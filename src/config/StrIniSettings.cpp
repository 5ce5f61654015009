#include "config/StrIniSettings.h"

#include "config/TextTable.h"
#include "config/Diagnostics.h"
#include "config/Unicode.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kestrel {

namespace {

constexpr std::string_view kLanguageKey = "Lan";
constexpr std::string_view kRedKey = "RColor";
constexpr std::string_view kGreenKey = "GColor";
constexpr std::string_view kBlueKey = "BColor";
constexpr std::string_view kPathKey = "Path";

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::error_code logged(const std::error_code& error, const std::filesystem::path& path)
{
    if (error)
        Diagnostics::warning(Diagnostics::Area::Config,
                             "cannot write " + unicode::utf8FromPath(path) + ": " + error.message());
    return error;
}

} // namespace

StrIniSettings::StrIniSettings(std::filesystem::path strIniPath) : file_(std::move(strIniPath)) {}

StrIniSettings::Values StrIniSettings::read(Language language) const
{
    return valuesIn(file_.read(), language);
}

StrIniSettings::OwnLanguageValues StrIniSettings::readInOwnLanguage() const
{
    const IniFile::ReadResult contents = file_.load();
    const Language language = languageFromCode(contents.document.value(kSkinsSection, kLanguageKey));
    return {language, valuesIn(contents.document, language), contents.error};
}

StrIniSettings::Values StrIniSettings::valuesIn(const IniDocument& document, Language language)
{
    const std::string_view section = iniSectionName(language);
    Values values;
    std::transform(kCaptionKeys.begin(), kCaptionKeys.end(), values.captions.begin(),
                   [&](std::string_view key) { return document.value(section, key); });
    values.skin.red = document.value(kSkinsSection, kRedKey);
    values.skin.green = document.value(kSkinsSection, kGreenKey);
    values.skin.blue = document.value(kSkinsSection, kBlueKey);
    values.skin.path = document.value(kSkinsSection, kPathKey);
    return values;
}

std::string StrIniSettings::readLanguageCode() const
{
    return file_.value(kSkinsSection, kLanguageKey);
}

std::error_code StrIniSettings::writeCaptions(Language language, const Captions& captions) const
{
    const std::string_view section = iniSectionName(language);
    std::array<IniEntry, kCaptionCount> entries;
    for (std::size_t i = 0; i < kCaptionCount; ++i) entries[i] = IniEntry{section, kCaptionKeys[i], captions[i]};
    return logged(file_.write(entries), path());
}

std::error_code StrIniSettings::writeSkin(Rgb colour, std::string_view skinName) const
{
    const std::string red = std::to_string(colour.r);
    const std::string green = std::to_string(colour.g);
    const std::string blue = std::to_string(colour.b);
    const std::array<IniEntry, 4> entries = {{
        {kSkinsSection, kRedKey, red},
        {kSkinsSection, kGreenKey, green},
        {kSkinsSection, kBlueKey, blue},
        {kSkinsSection, kPathKey, skinName},
    }};
    return logged(file_.write(entries), path());
}

std::uint8_t StrIniSettings::colourComponent(std::string_view text)
{
    // Magnitudes are capped just past the 32-bit range, so any number of
    // digits is read without overflow.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::size_t pos = 0;
    while (pos < text.size() && isSpace(text[pos])) ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos)
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), -kMin);
    const std::int64_t number = std::clamp(negative ? -magnitude : magnitude, kMin, kMax);
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(number) & 0xFF);
}

Rgb StrIniSettings::skinColour(const SkinValues& skin)
{
    return Rgb{colourComponent(skin.red), colourComponent(skin.green), colourComponent(skin.blue)};
}

StrIniSettings::Captions StrIniSettings::defaultCaptions(Language language)
{
    const TextTable texts = TextTable::forLanguage(language);
    const std::array<std::string, kCaptionCount / 2> buttons = {
        texts.keyFunction(KeyFunctionCode::LeftClick),
        texts.keyFunction(KeyFunctionCode::RightClick),
        texts.keyFunction(KeyFunctionCode::MidClick),
        texts.keyFunction(KeyFunctionCode::Forward),
        texts.keyFunction(KeyFunctionCode::Backward),
        "DPI +",
        "DPI -",
        texts.keyFunction(KeyFunctionCode::KeyOff),
    };
    Captions captions;
    std::copy(buttons.begin(), buttons.end(), captions.begin());
    std::copy(buttons.begin(), buttons.end(), captions.begin() + buttons.size());
    return captions;
}

} // namespace kestrel
