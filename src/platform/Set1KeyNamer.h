#pragma once

#include "platform/KeyNamer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kestrel {

// Names keys from the set-1 scan codes Windows gives key messages. The native
// scan code is the keystroke parameter's bits 16-24 as Qt reports them: the
// scan code in the low byte and the extended-key bit (the E0 prefix) as 0x100,
// so that 0x1D is "Ctrl" and 0x11D "Right Ctrl". Keys of the key name table
// are named from it, in English whatever the keyboard layout, as on the other
// platforms; any other key gets the name the system gives it for the
// keystroke parameter (GetKeyNameTextW), or none.
class Set1KeyNamer final : public KeyNamer {
public:
    static constexpr std::uint32_t kExtended = 0x100;

    // The system's name of the key that a keystroke parameter describes; "" for none.
    using SystemKeyName = std::function<std::string(std::int32_t keystroke)>;

    explicit Set1KeyNamer(SystemKeyName systemName);

    std::string nameOf(std::uint32_t nativeScanCode) const override;
    bool isWindowsKey(std::uint32_t nativeScanCode) const override;

    // The keystroke parameter of a key message with this scan code, as GetKeyNameTextW reads it.
    static std::int32_t keystrokeOf(std::uint32_t nativeScanCode);
    // The Linux input code of the same physical key, the key of the name table.
    static std::optional<std::uint32_t> inputCodeOf(std::uint32_t nativeScanCode);

private:
    SystemKeyName systemName_;
};

} // namespace kestrel
