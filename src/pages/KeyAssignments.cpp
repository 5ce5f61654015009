#include "pages/KeyAssignments.h"

#include "config/DefaultSettings.h"

#include <array>

namespace kestrel {

namespace {

// The values a button keeps for the function it holds.
constexpr std::array kButtonValueFields{
    SettingsRecord::kMediaIndex,  SettingsRecord::kWindowsIndex, SettingsRecord::kHotKeyIndex,
    SettingsRecord::kSingleKeyCode, SettingsRecord::kSnipeIndex, SettingsRecord::kFireKeyIndex,
    SettingsRecord::kFireKeyCode, SettingsRecord::kFireTimes,   SettingsRecord::kDpiSwitchMode,
};

} // namespace

KeyAssignments::KeyAssignments(SettingsRecord& settings, StrIniSettings::Captions& captions)
    : settings_(settings), captions_(captions)
{
}

KeyGroup KeyAssignments::shownGroup() const { return settings_.shownGroup(); }

const std::string& KeyAssignments::caption(KeyGroup group, int button) const
{
    return captions_[keygroup::slot(group, button)];
}

void KeyAssignments::setCaption(KeyGroup group, int button, const std::string& text)
{
    captions_[keygroup::slot(group, button)] = text;
}

bool KeyAssignments::isOnlyLeftClick(KeyGroup group, int button) const
{
    const std::uint8_t leftClick = toByte(KeyFunctionCode::LeftClick);
    if (settings_.keyFunction(group, button) != leftClick)
        return false;
    for (int other = 0; other < SettingsRecord::kButtonCount; ++other) {
        if (other != button && settings_.keyFunction(group, other) == leftClick)
            return false;
    }
    return true;
}

bool KeyAssignments::groupHasShift(KeyGroup group) const
{
    for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
        if (settings_.keyFunction(group, button) == toByte(KeyFunctionCode::Shift))
            return true;
    }
    return false;
}

void KeyAssignments::assignShift(int button, const std::string& caption)
{
    for (const KeyGroup group : keygroup::kAll) {
        settings_.setKeyFunction(group, button, toByte(KeyFunctionCode::Shift));
        setCaption(group, button, caption);
    }
}

void KeyAssignments::assign(KeyGroup group, int button, KeyFunctionCode code, const std::string& caption)
{
    const KeyGroup other = keygroup::other(group);
    if (settings_.keyFunction(group, button) == toByte(KeyFunctionCode::Shift)) {
        // The shared "Shift" button leaves it in both groups. The other group
        // also takes this group's values, so that its caption tells the truth.
        settings_.setKeyFunction(other, button, toByte(code));
        setCaption(other, button, caption);
        copyButtonValues(group, other, button);
    }
    settings_.setKeyFunction(group, button, toByte(code));
    setCaption(group, button, caption);
}

void KeyAssignments::assignDpiSwitch(KeyGroup group, int button, DpiSwitchMode mode, const std::string& caption)
{
    setCaption(group, button, caption);
    settings_.setKeyFunction(group, button, toByte(KeyFunctionCode::DpiSwitch));
    settings_.setDpiSwitchMode(group, button, toByte(mode));
}

void KeyAssignments::restoreDefaults(const StrIniSettings::Captions& defaults)
{
    defaultKeyFunctions(settings_);
    captions_ = defaults;
}

void KeyAssignments::copyButtonValues(KeyGroup fromGroup, KeyGroup toGroup, int button)
{
    const auto bytes = settings_.bytes();
    for (const RecordField& field : kButtonValueFields) {
        const std::size_t from = field.offset + keygroup::slot(fromGroup, button);
        const std::size_t to = field.offset + keygroup::slot(toGroup, button);
        bytes[to] = bytes[from];
    }
}

} // namespace kestrel
