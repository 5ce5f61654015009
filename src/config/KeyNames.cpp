#include "config/KeyNames.h"

#include <algorithm>
#include <array>

namespace kestrel {

namespace {
// Concatenates parts of a table at compile time, so shared runs of keys are written once.
template <std::size_t... N>
constexpr auto join(const std::array<KeyEntry, N>&... parts)
{
    std::array<KeyEntry, (N + ...)> joined{};
    auto out = joined.begin();
    ((out = std::ranges::copy(parts, out).out), ...);
    return joined;
}

constexpr std::array<KeyEntry, 36> kLettersAndDigits{{
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09}, {"G", 0x0A},
    {"H", 0x0B}, {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F}, {"M", 0x10}, {"N", 0x11},
    {"O", 0x12}, {"P", 0x13}, {"Q", 0x14}, {"R", 0x15}, {"S", 0x16}, {"T", 0x17}, {"U", 0x18},
    {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B}, {"Y", 0x1C}, {"Z", 0x1D},
    {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22},
    {"6", 0x23}, {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27},
}};

constexpr std::array<KeyEntry, 12> kFunctionKeys{{
    {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C}, {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F},
    {"F7", 0x40}, {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43}, {"F11", 0x44}, {"F12", 0x45},
}};

constexpr std::array<KeyEntry, 18> kEnterToCapsLock{{
    {"Enter", 0x28}, {"Esc", 0x29}, {"Backspace", 0x2A}, {"Tab", 0x2B}, {"Space", 0x2C},
    {"-", 0x2D}, {"=", 0x2E}, {"[", 0x2F}, {"]", 0x30}, {"\\", 0x31},
    // The platform's own (misspelt) name of the non-US key next to Enter.
    {"Eurpo(Note 2)", 0x32},
    {";", 0x33}, {"'", 0x34}, {"`", 0x35}, {",", 0x36}, {".", 0x37}, {"/", 0x38},
    {"Caps Lock", 0x39},
}};

constexpr std::array<KeyEntry, 30> kPrintScreenToNumDel{{
    {"Prnt Scrn", 0x46}, {"Scroll Lock", 0x47}, {"Pause", 0x48}, {"Insert", 0x49},
    {"Home", 0x4A}, {"Page Up", 0x4B}, {"Delete", 0x4C}, {"End", 0x4D}, {"Page Down", 0x4E},
    {"Right", 0x4F}, {"Left", 0x50}, {"Down", 0x51}, {"Up", 0x52},
    {"Num Lock", 0x53}, {"Num /", 0x54}, {"Num *", 0x55}, {"Num -", 0x56}, {"Num +", 0x57},
    {"Num Enter", 0x58}, {"Num 1", 0x59}, {"Num 2", 0x5A}, {"Num 3", 0x5B}, {"Num 4", 0x5C},
    {"Num 5", 0x5D}, {"Num 6", 0x5E}, {"Num 7", 0x5F}, {"Num 8", 0x60}, {"Num 9", 0x61},
    {"Num 0", 0x62}, {"Num Del", 0x63},
}};

// The unprefixed modifier names are the left-hand keys.
constexpr std::array<KeyEntry, 8> kModifiers{{
    {"Ctrl", 0xE0}, {"Shift", 0xE1}, {"Alt", 0xE2}, {"Left Windows", 0xE3},
    {"Right Ctrl", 0xE4}, {"Right Shift", 0xE5}, {"Right Alt", 0xE6}, {"Right Windows", 0xE7},
}};

constexpr std::array<KeyEntry, 3> kMouseButtons{{
    {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2},
}};

constexpr auto kKeyNames =
    join(kLettersAndDigits, kEnterToCapsLock, kFunctionKeys, kPrintScreenToNumDel, kModifiers, kMouseButtons);
static_assert(kKeyNames.size() == KeyNames::kKeyNameCount);

constexpr std::array<KeyEntry, 5> kFireMouseButtons{{
    {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2}, {"B4-Button", 0xF3}, {"B5-Button", 0xF4},
}};

constexpr std::array<KeyEntry, 6> kFireModifiers{{
    {"L-CTRL", 0xE0}, {"L-SHIFT", 0xE1}, {"L-ALT", 0xE2}, {"R-CTRL", 0xE4}, {"R-SHIFT", 0xE5}, {"R-ALT", 0xE6},
}};

constexpr auto kFireKeys = join(kFireMouseButtons, kLettersAndDigits, kFireModifiers, kFunctionKeys);
static_assert(kFireKeys.size() == KeyNames::kFireKeyCount);

// Each run of consecutive usages in the key name table is checked at compile time.
constexpr bool usagesRun(std::size_t first, std::size_t last, std::uint8_t firstUsage)
{
    for (std::size_t i = first; i <= last; ++i) {
        if (kKeyNames[i].usage != firstUsage + (i - first)) {
            return false;
        }
    }
    return true;
}
static_assert(usagesRun(0, 35, 0x04), "letters and digits");
static_assert(usagesRun(36, 95, 0x28), "Enter to Num Del");
static_assert(usagesRun(96, 103, 0xE0), "modifiers");
static_assert(usagesRun(104, 106, 0xF0), "mouse buttons");
} // namespace

std::span<const KeyEntry, KeyNames::kKeyNameCount> KeyNames::keyNameTable()
{
    return kKeyNames;
}

std::span<const KeyEntry, KeyNames::kFireKeyCount> KeyNames::fireKeyList()
{
    return kFireKeys;
}

std::uint8_t KeyNames::keyUsageFromName(std::string_view name)
{
    const auto found = std::ranges::find(kKeyNames, name, &KeyEntry::name);
    return found != kKeyNames.end() ? found->usage : 0;
}

std::string_view KeyNames::keyNameFromUsage(std::uint8_t usage)
{
    const auto found = std::ranges::find(kKeyNames, usage, &KeyEntry::usage);
    return found != kKeyNames.end() ? found->name : std::string_view{};
}

std::uint8_t KeyNames::fireKeyUsage(std::size_t position)
{
    return position < kFireKeys.size() ? kFireKeys[position].usage : 0;
}

} // namespace kestrel
