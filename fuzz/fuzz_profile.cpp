// A profile as a user may write it: its text read (nesting and repeated keys
// checked first), read over the shipped settings, with or without a sensor
// type to move its DPI values to, held to the window's rules, and written
// back. What the reader accepts must read back to the same settings.
#include "FuzzInput.h"

#include "config/DefaultSettings.h"
#include "config/ProfileData.h"
#include "config/ProfileDocument.h"
#include "config/ProfileGuards.h"
#include "config/ProfileReader.h"
#include "config/ProfileWriter.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace {

kestrel::ProfileData shippedSettings()
{
    kestrel::ProfileData data;
    data.record = kestrel::defaultSettingsRecord();
    return data;
}

// The same settings; a blank caption is left out of the document, and a
// button whose function changed may get its caption made again.
bool sameSettings(const kestrel::ProfileData& read, const kestrel::ProfileData& written)
{
    for (std::size_t i = 0; i < written.captions.size(); ++i)
        if (!written.captions[i].empty() && read.captions[i] != written.captions[i])
            return false;
    return read.record == written.record && read.firstRunFlag == written.firstRunFlag
        && read.sensorType == written.sensorType;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const kestrel::ProfileData base = shippedSettings();
    kestrel::fuzz::FuzzInput input(data, size);
    const std::uint8_t target = input.byte() % 5;
    std::string error;
    const auto document = kestrel::ProfileDocument::parse(input.rest(), error);
    if (!document || !kestrel::ProfileReader::looksLikeProfile(*document))
        return 0;
    const std::optional<std::uint8_t> targetSensorType =
        target == 4 ? std::nullopt : std::optional<std::uint8_t>(target);
    (void)kestrel::ProfileReader::setsEverySetting(*document, targetSensorType);
    const kestrel::ProfileReader::Result result = kestrel::ProfileReader::read(*document, base, targetSensorType);
    if (!result.ok())
        return 0;
    (void)kestrel::ProfileGuards::problems(result.data.record);

    const kestrel::ProfileRule::Json written = kestrel::ProfileWriter::write(result.data);
    const kestrel::ProfileReader::Result again = kestrel::ProfileReader::read(written, base);
    if (!again.ok() || !sameSettings(again.data, result.data))
        std::abort();
    return 0;
}
