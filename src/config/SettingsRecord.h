#pragma once

#include "config/KeyGroup.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrel {

// One colour as the mouse takes it: red, green, blue bytes.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Position and length of one field of the settings record.
struct RecordField {
    std::size_t offset;
    std::size_t size;

    constexpr std::size_t end() const { return offset + size; }
};

// The 199-byte settings record: the user's choices that feed the configuration
// image and are stored byte for byte in config.bin. Every byte, reserved ones
// included, is kept as loaded; the accessors only name the fields.
// Stage indices are 0..3, buttons 0..7; other indices are a programming error.
class SettingsRecord {
public:
    static constexpr std::size_t kSize = 199;
    static constexpr int kStageCount = 4;
    static constexpr int kEffectCount = 3;
    static constexpr int kGroupCount = static_cast<int>(keygroup::kAll.size());
    static constexpr int kButtonCount = keygroup::kButtonCount;

    // The layout, in record order. Per-button fields hold "Mode A"'s eight
    // buttons, then "Mode B"'s.
    static constexpr RecordField kReservedHead{0x00, 5};
    static constexpr RecordField kReportRate{0x05, 1};
    static constexpr RecordField kReservedAfterRate{0x06, 1};
    static constexpr RecordField kDpiLevel{0x07, kStageCount};
    static constexpr RecordField kDpiEnabled{0x0B, kStageCount};
    static constexpr RecordField kDpiColor{0x0F, 3 * kStageCount};
    static constexpr RecordField kLedMode{0x1B, 1};
    static constexpr RecordField kLedBrightness{0x1C, 1};
    static constexpr RecordField kLedPeriod{0x1D, 1};
    static constexpr RecordField kNeonPeriod{0x1E, 1};
    static constexpr RecordField kEffect{0x1F, kEffectCount};
    static constexpr RecordField kReservedAfterEffect{0x22, 1};
    static constexpr RecordField kModeShown{0x23, 1};
    static constexpr RecordField kFireMakeTime{0x24, 1};
    static constexpr RecordField kFireBreakTime{0x25, 1};
    static constexpr RecordField kSnipeDpiCode{0x26, 1};
    static constexpr RecordField kKeyFunction{0x27, kGroupCount * kButtonCount};
    static constexpr RecordField kMediaIndex{0x37, kGroupCount * kButtonCount};
    static constexpr RecordField kWindowsIndex{0x47, kGroupCount * kButtonCount};
    static constexpr RecordField kHotKeyIndex{0x57, kGroupCount * kButtonCount};
    static constexpr RecordField kSingleKeyCode{0x67, kGroupCount * kButtonCount};
    static constexpr RecordField kSnipeIndex{0x77, kGroupCount * kButtonCount};
    static constexpr RecordField kFireKeyIndex{0x87, kGroupCount * kButtonCount};
    static constexpr RecordField kFireKeyCode{0x97, kGroupCount * kButtonCount};
    static constexpr RecordField kFireTimes{0xA7, kGroupCount * kButtonCount};
    static constexpr RecordField kDpiSwitchMode{0xB7, kGroupCount * kButtonCount};

    static constexpr std::array kLayout{
        kReservedHead, kReportRate, kReservedAfterRate, kDpiLevel, kDpiEnabled, kDpiColor,
        kLedMode, kLedBrightness, kLedPeriod, kNeonPeriod, kEffect, kReservedAfterEffect,
        kModeShown, kFireMakeTime, kFireBreakTime, kSnipeDpiCode, kKeyFunction, kMediaIndex,
        kWindowsIndex, kHotKeyIndex, kSingleKeyCode, kSnipeIndex, kFireKeyIndex, kFireKeyCode,
        kFireTimes, kDpiSwitchMode,
    };

    // A record of all zeros, as the program holds it before config.bin is read.
    SettingsRecord() = default;

    std::uint8_t reportRate() const { return at(kReportRate); }
    void setReportRate(std::uint8_t value) { at(kReportRate) = value; }

    std::uint8_t dpiLevel(int stage) const { return at(kDpiLevel, stage); }
    void setDpiLevel(int stage, std::uint8_t value) { at(kDpiLevel, stage) = value; }
    // The stored flag as it is; 1 means in use, but other values may be loaded.
    std::uint8_t dpiEnabled(int stage) const { return at(kDpiEnabled, stage); }
    void setDpiEnabled(int stage, std::uint8_t value) { at(kDpiEnabled, stage) = value; }
    // Only a flag of exactly 1 puts a stage's colour on the mouse and lets it be edited.
    bool isStageInUse(int stage) const { return dpiEnabled(stage) == 1; }
    Rgb dpiColor(int stage) const;
    void setDpiColor(int stage, Rgb colour);

    std::uint8_t ledMode() const { return at(kLedMode); }
    void setLedMode(std::uint8_t value) { at(kLedMode) = value; }
    std::uint8_t ledBrightness() const { return at(kLedBrightness); }
    void setLedBrightness(std::uint8_t value) { at(kLedBrightness) = value; }
    std::uint8_t ledPeriod() const { return at(kLedPeriod); }
    void setLedPeriod(std::uint8_t value) { at(kLedPeriod) = value; }
    std::uint8_t neonPeriod() const { return at(kNeonPeriod); }
    void setNeonPeriod(std::uint8_t value) { at(kNeonPeriod) = value; }
    // Effect shown for lighting modes 1, 2 and 3 (index 0, 1, 2); display only.
    std::uint8_t effect(int index) const { return at(kEffect, index); }
    void setEffect(int index, std::uint8_t value) { at(kEffect, index) = value; }

    std::uint8_t modeShown() const { return at(kModeShown); }
    void setModeShown(std::uint8_t value) { at(kModeShown) = value; }
    KeyGroup shownGroup() const { return keygroup::fromModeShown(modeShown()); }
    void setShownGroup(KeyGroup group) { setModeShown(keygroup::toModeShown(group)); }
    std::uint8_t fireMakeTime() const { return at(kFireMakeTime); }
    void setFireMakeTime(std::uint8_t value) { at(kFireMakeTime) = value; }
    std::uint8_t fireBreakTime() const { return at(kFireBreakTime); }
    void setFireBreakTime(std::uint8_t value) { at(kFireBreakTime) = value; }
    std::uint8_t snipeDpiCode() const { return at(kSnipeDpiCode); }
    void setSnipeDpiCode(std::uint8_t value) { at(kSnipeDpiCode) = value; }

    std::uint8_t keyFunction(KeyGroup group, int button) const { return at(kKeyFunction, group, button); }
    void setKeyFunction(KeyGroup group, int button, std::uint8_t value) { at(kKeyFunction, group, button) = value; }
    std::uint8_t mediaIndex(KeyGroup group, int button) const { return at(kMediaIndex, group, button); }
    void setMediaIndex(KeyGroup group, int button, std::uint8_t value) { at(kMediaIndex, group, button) = value; }
    std::uint8_t windowsIndex(KeyGroup group, int button) const { return at(kWindowsIndex, group, button); }
    void setWindowsIndex(KeyGroup group, int button, std::uint8_t value) { at(kWindowsIndex, group, button) = value; }
    std::uint8_t hotKeyIndex(KeyGroup group, int button) const { return at(kHotKeyIndex, group, button); }
    void setHotKeyIndex(KeyGroup group, int button, std::uint8_t value) { at(kHotKeyIndex, group, button) = value; }
    std::uint8_t singleKeyCode(KeyGroup group, int button) const { return at(kSingleKeyCode, group, button); }
    void setSingleKeyCode(KeyGroup group, int button, std::uint8_t value) { at(kSingleKeyCode, group, button) = value; }
    std::uint8_t snipeIndex(KeyGroup group, int button) const { return at(kSnipeIndex, group, button); }
    void setSnipeIndex(KeyGroup group, int button, std::uint8_t value) { at(kSnipeIndex, group, button) = value; }
    std::uint8_t fireKeyIndex(KeyGroup group, int button) const { return at(kFireKeyIndex, group, button); }
    void setFireKeyIndex(KeyGroup group, int button, std::uint8_t value) { at(kFireKeyIndex, group, button) = value; }
    std::uint8_t fireKeyCode(KeyGroup group, int button) const { return at(kFireKeyCode, group, button); }
    void setFireKeyCode(KeyGroup group, int button, std::uint8_t value) { at(kFireKeyCode, group, button) = value; }
    std::uint8_t fireTimes(KeyGroup group, int button) const { return at(kFireTimes, group, button); }
    void setFireTimes(KeyGroup group, int button, std::uint8_t value) { at(kFireTimes, group, button) = value; }
    std::uint8_t dpiSwitchMode(KeyGroup group, int button) const { return at(kDpiSwitchMode, group, button); }
    void setDpiSwitchMode(KeyGroup group, int button, std::uint8_t value) { at(kDpiSwitchMode, group, button) = value; }

    // The whole record, for config.bin.
    std::span<std::uint8_t, kSize> bytes() { return bytes_; }
    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;

private:
    std::uint8_t& at(RecordField field, int index = 0);
    std::uint8_t at(RecordField field, int index = 0) const;
    std::uint8_t& at(RecordField field, KeyGroup group, int button);
    std::uint8_t at(RecordField field, KeyGroup group, int button) const;

    std::array<std::uint8_t, kSize> bytes_{};
};

namespace detail {
// True when the fields follow one another without gap or overlap from byte 0 to the end.
constexpr bool tilesRecord(std::span<const RecordField> fields, std::size_t size)
{
    std::size_t next = 0;
    for (const RecordField& field : fields) {
        if (field.offset != next || field.size == 0) {
            return false;
        }
        next = field.end();
    }
    return next == size;
}
} // namespace detail

static_assert(detail::tilesRecord(SettingsRecord::kLayout, SettingsRecord::kSize));
static_assert(SettingsRecord::kDpiSwitchMode.end() == 0xC7);
static_assert(sizeof(SettingsRecord) == SettingsRecord::kSize);

} // namespace kestrel
