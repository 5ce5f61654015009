#pragma once

#include "config/KeyFunctionCode.h"
#include "config/ProfileRule.h"
#include "config/SettingsRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kestrel {

// Where the profile keeps what: the names shared by the writer and the reader.
namespace profile {

inline constexpr std::string_view kFormat = "kestrel-profile";
inline constexpr int kVersion = 1;

// One per-button value of a key function, e.g. the "key" and "times" of "Fire Key".
struct ButtonValue {
    std::string_view name;
    RecordField column;
    // The rule for the value; nullptr for a DPI level of the profile's sensor type.
    const ProfileRule* rule;
};

// The per-button values a key function uses, and the name they are kept
// under in "stored" while the button has another function.
struct FunctionValues {
    KeyFunctionCode function;
    std::string_view storedName;
    std::span<const ButtonValue> values;
};

std::span<const FunctionValues> functionValues();
// The values of a function code; nullptr for a function without values.
const FunctionValues* valuesOf(std::uint8_t functionCode);

// The fire key's usage follows from its list position, unless the record
// says otherwise; then the profile carries it as "code".
inline constexpr std::string_view kFireKeyCodeName = "code";

// The bytes no setting names, in record order.
inline constexpr std::array<std::size_t, 7> kReservedOffsets{0x00, 0x01, 0x02, 0x03, 0x04, 0x06, 0x22};

// Record bytes of one button's per-button array.
inline std::uint8_t& cell(SettingsRecord& record, RecordField column, KeyGroup group, int button)
{
    return record.bytes()[column.offset + keygroup::slot(group, button)];
}
inline std::uint8_t cell(const SettingsRecord& record, RecordField column, KeyGroup group, int button)
{
    return record.bytes()[column.offset + keygroup::slot(group, button)];
}

// The snipe DPI codes of a sensor type, named by their DPI labels; with no
// sensor type known only the code itself, as {"byte": N}.
ProfileRule snipeCodeRule(std::optional<std::uint8_t> sensorType);

// "#RRGGBB".
std::string colourText(Rgb colour);

} // namespace profile

} // namespace kestrel
