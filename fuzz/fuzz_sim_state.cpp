// The simulated mouse's state file, as a user may leave it, through the same
// read and Apply the programs run against it.
#include "DeviceSession.h"
#include "FuzzInput.h"
#include "ScratchFile.h"

#include "config/DefaultSettings.h"
#include "device/sim/SimulatedMouse.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const kestrel::fuzz::ScratchFile file("state.bin");
    kestrel::fuzz::FuzzInput input(data, size);
    const std::uint8_t sensorType = input.byte();
    std::string error;
    auto mouse = kestrel::SimulatedMouse::withStateFile(file.write(input.rest()), error);
    if (mouse)
        kestrel::fuzz::DeviceSession::run(*mouse, kestrel::defaultSettingsRecord(), sensorType);
    return 0;
}
