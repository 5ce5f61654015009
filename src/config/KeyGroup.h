#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrel {

// One of the two sets of eight button functions, shown as "Mode A" and
// "Mode B". The program names a group only by this type; the numbers files,
// texts and the mouse use are made by the conversions below, in one place.
enum class KeyGroup : std::uint8_t { ModeA, ModeB };

namespace keygroup {

inline constexpr int kButtonCount = 8;
inline constexpr std::array<KeyGroup, 2> kAll{KeyGroup::ModeA, KeyGroup::ModeB};

constexpr KeyGroup other(KeyGroup group) { return group == KeyGroup::ModeA ? KeyGroup::ModeB : KeyGroup::ModeA; }

// The position in storage order: "Mode A" first, then "Mode B" (the settings
// record, the captions, the image's button pages and profiles' arrays).
constexpr std::size_t index(KeyGroup group) { return group == KeyGroup::ModeA ? 0 : 1; }

// Where a button of a group sits among the sixteen per-button values.
constexpr std::size_t slot(KeyGroup group, int button)
{
    return index(group) * kButtonCount + static_cast<std::size_t>(button);
}

// The number people read: 1 for "Mode A", 2 for "Mode B".
constexpr int number(KeyGroup group) { return group == KeyGroup::ModeA ? 1 : 2; }

// The stored shown-group byte: 1 shows "Mode B", any other value "Mode A".
constexpr KeyGroup fromModeShown(std::uint8_t modeShown) { return modeShown == 1 ? KeyGroup::ModeB : KeyGroup::ModeA; }
constexpr std::uint8_t toModeShown(KeyGroup group) { return group == KeyGroup::ModeA ? 0 : 1; }

} // namespace keygroup

} // namespace kestrel
