#pragma once

#include "config/SettingsRecord.h"

namespace kestrel {

// A settings record a new owner can start from: 1000 Hz, four DPI stages in
// four colours, steady lighting, and the key page's default button functions.
SettingsRecord defaultSettingsRecord();

// The key page's "Default" button: both key groups get Left, Right and Middle
// click, Forward, Backward, "DPI +", "DPI -" and "Key Off" on buttons 0-7.
// Only the function codes and the two DPI switch modes change.
void defaultKeyFunctions(SettingsRecord& record);

} // namespace kestrel
