#include "pages/KeyFunctionDialogs.h"

#include "dialogs/FireKeyDialog.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/MediaKeyDialog.h"
#include "dialogs/SingleKeyDialog.h"
#include "dialogs/SnipeKeyDialog.h"
#include "dialogs/WindowsKeyDialog.h"
#include "config/KeyNames.h"

namespace kestrel {

namespace {

std::uint8_t byteOf(int value) { return static_cast<std::uint8_t>(value); }

} // namespace

KeyFunctionDialogs::KeyFunctionDialogs(PageHost& host, QWidget& window) : host_(host), window_(window) {}

bool KeyFunctionDialogs::opensDialog(KeyFunctionCode code)
{
    return code >= KeyFunctionCode::Windows && code <= KeyFunctionCode::SnipeKey;
}

std::optional<std::string> KeyFunctionDialogs::run(KeyFunctionCode code, KeyGroup group, int button)
{
    switch (code) {
    case KeyFunctionCode::Windows:
        return runWindows(group, button);
    case KeyFunctionCode::Multimedia:
        return runMultimedia(group, button);
    case KeyFunctionCode::HotKey:
        return runHotKey(group, button);
    case KeyFunctionCode::FireKey:
        return runFireKey(group, button);
    case KeyFunctionCode::SingleKey:
        return runSingleKey(group, button);
    case KeyFunctionCode::SnipeKey:
        return runSnipeKey(group, button);
    default:
        return std::nullopt;
    }
}

std::optional<int> KeyFunctionDialogs::heldRow(KeyFunctionCode code, KeyGroup group, int button,
                                              std::uint8_t (SettingsRecord::*stored)(KeyGroup, int) const) const
{
    if (!holds(code, group, button))
        return std::nullopt;
    return (host_.settings().*stored)(group, button);
}

std::string KeyFunctionDialogs::prefixed(KeyFunctionCode code, const std::string& choice) const
{
    return host_.texts().keyFunction(code) + "-" + choice;
}

bool KeyFunctionDialogs::holds(KeyFunctionCode code, KeyGroup group, int button) const
{
    return host_.settings().keyFunction(group, button) == static_cast<std::uint8_t>(code);
}

template <typename Dialog>
std::optional<ChoiceResult> KeyFunctionDialogs::choose(std::optional<int> heldRow)
{
    Dialog dialog(host_.dialogContext(), &window_);
    if (heldRow)
        dialog.openOnRow(*heldRow);
    if (!dialog.runModal())
        return std::nullopt;
    return dialog.choice();
}

std::optional<std::string> KeyFunctionDialogs::runWindows(KeyGroup group, int button)
{
    const std::optional<ChoiceResult> choice =
        choose<WindowsKeyDialog>(heldRow(KeyFunctionCode::Windows, group, button, &SettingsRecord::windowsIndex));
    if (!choice)
        return std::nullopt;
    host_.settings().setWindowsIndex(group, button, byteOf(choice->index));
    return choice->label;
}

std::optional<std::string> KeyFunctionDialogs::runMultimedia(KeyGroup group, int button)
{
    const std::optional<ChoiceResult> choice =
        choose<MediaKeyDialog>(heldRow(KeyFunctionCode::Multimedia, group, button, &SettingsRecord::mediaIndex));
    if (!choice)
        return std::nullopt;
    host_.settings().setMediaIndex(group, button, byteOf(choice->index));
    return prefixed(KeyFunctionCode::Multimedia, choice->label);
}

std::optional<std::string> KeyFunctionDialogs::runHotKey(KeyGroup group, int button)
{
    const std::optional<ChoiceResult> choice =
        choose<HotKeyDialog>(heldRow(KeyFunctionCode::HotKey, group, button, &SettingsRecord::hotKeyIndex));
    if (!choice)
        return std::nullopt;
    host_.settings().setHotKeyIndex(group, button, byteOf(choice->index));
    return choice->label;
}

std::optional<std::string> KeyFunctionDialogs::runFireKey(KeyGroup group, int button)
{
    FireKeyDialog dialog(host_.dialogContext(), &window_);
    const SettingsRecord& held = host_.settings();
    dialog.openWithTiming(held.fireMakeTime(), held.fireBreakTime());
    if (holds(KeyFunctionCode::FireKey, group, button))
        dialog.openWithKey(held.fireKeyIndex(group, button), held.fireTimes(group, button));
    if (!dialog.runModal())
        return std::nullopt;
    const FireKeyResult fire = dialog.fireKey();
    SettingsRecord& settings = host_.settings();
    settings.setFireKeyIndex(group, button, byteOf(fire.keyPosition));
    settings.setFireKeyCode(group, button, fire.keyUsage());
    settings.setFireTimes(group, button, byteOf(fire.fireCount));
    // One timing for every fire key of the mouse: the last confirmed one.
    settings.setFireMakeTime(byteOf(fire.makeTime));
    settings.setFireBreakTime(byteOf(fire.breakTime));
    return prefixed(KeyFunctionCode::FireKey, fire.keyLabel);
}

std::optional<std::string> KeyFunctionDialogs::runSingleKey(KeyGroup group, int button)
{
    SingleKeyDialog dialog(host_.dialogContext(), &window_);
    if (holds(KeyFunctionCode::SingleKey, group, button))
        dialog.openWithKey(KeyNames::keyNameFromUsage(host_.settings().singleKeyCode(group, button)));
    if (!dialog.runModal())
        return std::nullopt;
    host_.settings().setSingleKeyCode(group, button, dialog.keyUsage());
    return prefixed(KeyFunctionCode::SingleKey, dialog.keyName());
}

std::optional<std::string> KeyFunctionDialogs::runSnipeKey(KeyGroup group, int button)
{
    SnipeKeyDialog dialog(host_.dialogContext(), host_.sensorType(), &window_);
    if (const auto row = heldRow(KeyFunctionCode::SnipeKey, group, button, &SettingsRecord::snipeIndex))
        dialog.openOnRow(*row);
    if (!dialog.runModal())
        return std::nullopt;
    const ChoiceResult choice = dialog.choice();
    host_.settings().setSnipeIndex(group, button, byteOf(choice.index));
    // One snipe DPI for the whole mouse: the last confirmed one.
    host_.settings().setSnipeDpiCode(dialog.dpiCode());
    return prefixed(KeyFunctionCode::SnipeKey, choice.label);
}

} // namespace kestrel
