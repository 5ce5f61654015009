#pragma once

#include "app/AppState.h"
#include "app/WindowFlags.h"

#include "config/ConfigImage.h"
#include "device/DeviceState.h"
#include "config/SettingsRecord.h"

namespace kestrel {

// The program's single instances, owned by the application object and passed
// by reference to whoever reads or changes them. Only the UI thread touches them.
// Each value has one home: the sensor type is the device state's, the
// language the application state's; the skin and the fonts live outside, in
// the skin settings.
struct ProgramState {
    ConfigImage image;
    // The working record every page edits, and the state of the last Apply or
    // of start-up that "Cancel" restores.
    SettingsRecord settings;
    SettingsRecord savedSettings;
    DeviceState device;
    WindowFlags flags;
    AppState app;
};

} // namespace kestrel
