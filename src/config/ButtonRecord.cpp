#include "config/ButtonRecord.h"

#include "config/DeviceTables.h"
#include "config/KeyFunctionCode.h"
#include "config/SettingsRecord.h"

namespace kestrel {

namespace {
// Record types the mouse understands.
constexpr std::uint8_t kTypeKey = 0x00;
constexpr std::uint8_t kTypeConsumer = 0x02;
constexpr std::uint8_t kTypeSpecial = 0x03;
constexpr std::uint8_t kTypeFireBase = 0x80;

// Values of records of type kTypeKey for the mouse's own buttons.
constexpr std::uint8_t kLeftButton = 0xF0;
constexpr std::uint8_t kRightButton = 0xF1;
constexpr std::uint8_t kMiddleButton = 0xF2;
constexpr std::uint8_t kBackButton = 0xF3;
constexpr std::uint8_t kForwardButton = 0xF4;

// Values of records of type kTypeSpecial besides the DPI switch modes.
constexpr std::uint8_t kGroupShift = 0x06;
constexpr std::uint8_t kSnipe = 0x0A;

std::uint8_t sum(std::uint8_t a, std::uint8_t b)
{
    return static_cast<std::uint8_t>(a + b);
}
} // namespace

ButtonRecord ButtonRecord::encode(std::uint8_t functionCode, const Values& values)
{
    switch (static_cast<KeyFunctionCode>(functionCode)) {
    case KeyFunctionCode::LeftClick:
        return {kLeftButton, kTypeKey};
    case KeyFunctionCode::RightClick:
        return {kRightButton, kTypeKey};
    case KeyFunctionCode::MidClick:
        return {kMiddleButton, kTypeKey};
    case KeyFunctionCode::Forward:
        return {kForwardButton, kTypeKey};
    case KeyFunctionCode::Backward:
        return {kBackButton, kTypeKey};
    case KeyFunctionCode::DpiSwitch:
        return {values.dpiSwitchMode, kTypeSpecial};
    case KeyFunctionCode::Windows:
        return {sum(values.windowsIndex, DeviceTables::kFirstWindowsUsage), kTypeConsumer};
    case KeyFunctionCode::Multimedia:
        return {values.mediaIndex, kTypeConsumer};
    case KeyFunctionCode::HotKey:
        return {sum(values.hotKeyIndex, DeviceTables::kFirstShortcutValue), kTypeConsumer};
    case KeyFunctionCode::FireKey:
        // Wraps like the byte it is: counts 0-127 give 0x80-0xFF.
        return {values.fireKeyCode, sum(values.fireTimes, kTypeFireBase)};
    case KeyFunctionCode::SingleKey:
        return {values.singleKeyCode, kTypeKey};
    case KeyFunctionCode::SnipeKey:
        return {kSnipe, kTypeSpecial};
    case KeyFunctionCode::KeyOff:
        return {0x00, kTypeKey};
    case KeyFunctionCode::Shift:
        return {kGroupShift, kTypeSpecial};
    }
    return {0x00, 0x00};
}

ButtonRecord ButtonRecord::fromSettings(const SettingsRecord& record, KeyGroup group, int button)
{
    const Values values{
        .dpiSwitchMode = record.dpiSwitchMode(group, button),
        .windowsIndex = record.windowsIndex(group, button),
        .mediaIndex = record.mediaIndex(group, button),
        .hotKeyIndex = record.hotKeyIndex(group, button),
        .fireKeyCode = record.fireKeyCode(group, button),
        .fireTimes = record.fireTimes(group, button),
        .singleKeyCode = record.singleKeyCode(group, button),
    };
    return encode(record.keyFunction(group, button), values);
}

} // namespace kestrel
