#include "config/FunctionCaption.h"

#include "config/ButtonItemTexts.h"
#include "config/DpiTable.h"
#include "config/KeyNames.h"

#include <array>

namespace kestrel {

namespace {

template <std::size_t N>
std::string rowText(const std::array<LocalizedText, N>& rows, std::uint8_t index, Language language)
{
    if (index >= rows.size())
        return {};
    const LocalizedText& row = rows[index];
    return std::string(language == Language::SimplifiedChinese    ? row.simplified
                       : language == Language::TraditionalChinese ? row.traditional
                                                                  : row.english);
}

} // namespace

std::string FunctionCaption::of(const SettingsRecord& settings, KeyGroup group, int button, Language language,
                                const TextTable& texts, std::uint8_t sensorType)
{
    const std::uint8_t stored = settings.keyFunction(group, button);
    if (stored >= kKeyFunctionCount)
        return {};
    const auto code = static_cast<KeyFunctionCode>(stored);
    const std::string choice = choiceOf(settings, group, button, language, sensorType, code);
    switch (code) {
    case KeyFunctionCode::DpiSwitch:
    case KeyFunctionCode::Windows:
    case KeyFunctionCode::HotKey:
        // These captions are the choice alone.
        return choice.empty() ? texts.keyFunction(code) : choice;
    case KeyFunctionCode::Multimedia:
    case KeyFunctionCode::FireKey:
    case KeyFunctionCode::SingleKey:
    case KeyFunctionCode::SnipeKey:
        return texts.keyFunction(code) + "-" + choice;
    default:
        return texts.keyFunction(code);
    }
}

std::string FunctionCaption::choiceOf(const SettingsRecord& settings, KeyGroup group, int button, Language language,
                                      std::uint8_t sensorType, KeyFunctionCode code)
{
    switch (code) {
    case KeyFunctionCode::DpiSwitch: {
        const int mode = settings.dpiSwitchMode(group, button) - toByte(DpiSwitchMode::Up);
        return mode >= 0 && mode < 3 ? kDpiSwitchCaptions[static_cast<std::size_t>(mode)] : std::string();
    }
    case KeyFunctionCode::Windows:
        return rowText(ButtonItemTexts::kWindows, settings.windowsIndex(group, button), language);
    case KeyFunctionCode::Multimedia:
        return rowText(ButtonItemTexts::kMultimedia, settings.mediaIndex(group, button), language);
    case KeyFunctionCode::HotKey:
        return rowText(ButtonItemTexts::kHotKey, settings.hotKeyIndex(group, button), language);
    case KeyFunctionCode::FireKey: {
        const auto keys = KeyNames::fireKeyList();
        const std::uint8_t position = settings.fireKeyIndex(group, button);
        return position < keys.size() ? std::string(keys[position].name) : std::string();
    }
    case KeyFunctionCode::SingleKey:
        return std::string(KeyNames::keyNameFromUsage(settings.singleKeyCode(group, button)));
    case KeyFunctionCode::SnipeKey:
        return DpiTable::label(sensorType, settings.snipeIndex(group, button));
    default:
        return {};
    }
}

} // namespace kestrel
