// A profile as a user may write it: read over the shipped settings, with or
// without a sensor type to move its DPI values to, held to the window's rules,
// and written back. What the reader accepts must read back to the same settings.
#include "FuzzInput.h"

#include <DefaultSettings.h>
#include <ProfileData.h>
#include <ProfileGuards.h>
#include <ProfileReader.h>
#include <ProfileWriter.h>

#include <cstdlib>
#include <optional>

namespace {

kestrel::ProfileData shippedSettings()
{
    kestrel::ProfileData data;
    data.record = kestrel::defaultSettingsRecord();
    return data;
}

std::optional<kestrel::ProfileRule::Json> parse(std::span<const std::uint8_t> text)
{
    try {
        return kestrel::ProfileRule::Json::parse(text.begin(), text.end());
    } catch (const kestrel::ProfileRule::Json::exception&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const kestrel::ProfileData base = shippedSettings();
    kestrel::fuzz::FuzzInput input(data, size);
    const std::uint8_t target = input.byte() % 5;
    const auto document = parse(input.rest());
    if (!document || !kestrel::ProfileReader::looksLikeProfile(*document))
        return 0;
    const std::optional<std::uint8_t> targetSensorType =
        target == 4 ? std::nullopt : std::optional<std::uint8_t>(target);
    const kestrel::ProfileReader::Result result = kestrel::ProfileReader::read(*document, base, targetSensorType);
    if (!result.ok())
        return 0;
    (void)kestrel::ProfileGuards::problems(result.data.record);

    const kestrel::ProfileRule::Json written = kestrel::ProfileWriter::write(result.data);
    const kestrel::ProfileReader::Result again = kestrel::ProfileReader::read(written, base);
    if (!again.ok() || !(again.data == result.data))
        std::abort();
    return 0;
}
