#pragma once

#include "ProfileData.h"
#include "ProfileRule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// Reads a profile document over the current settings: what the profile names
// replaces the current value, what it leaves out stays. Every problem is
// collected (one line each, naming the JSON path and what is allowed); the
// result is usable only when there are none. DPI values are read by the
// sensor type the profile names and moved to the nearest level of the target
// sensor type when that differs, each with a warning.
class ProfileReader {
public:
    using Json = ProfileRule::Json;

    struct Result {
        ProfileData data;
        std::vector<std::string> problems;
        std::vector<std::string> warnings;

        bool ok() const { return problems.empty(); }
    };

    // Without a target the profile's own sensor type is kept.
    static Result read(const Json& document, const ProfileData& current,
                       std::optional<std::uint8_t> targetSensorType = std::nullopt);

    // True when the text is a profile document rather than, say, a config.bin.
    static bool looksLikeProfile(const Json& document);

private:
    ProfileReader(const ProfileData& current, Result& result);

    void readDocument(const Json& document, std::optional<std::uint8_t> targetSensorType);
    void readSensorType(const Json& document, std::optional<std::uint8_t> targetSensorType);
    void readStages(const Json& stages);
    void readLighting(const Json& lighting);
    void readFire(const Json& fire);
    void readButtons(const Json& buttons);
    void readButton(const Json& button, const std::string& path, int group, int b);
    void readFunctionValues(const Json& values, const std::string& path, std::uint8_t function, int group, int b);
    void readReserved(const Json& reserved);
    void readCaption(const Json& caption, const std::string& path, std::size_t index);
    void readSnipeDpi(const Json& value);
    std::optional<std::uint8_t> readDpiLevel(const Json& value, const std::string& path);

    void readByte(const Json& object, const char* key, const std::string& path, const ProfileRule& rule,
                  std::uint8_t& target);
    bool expectObject(const Json& value, const std::string& path, std::vector<std::string> keys);
    bool expectArray(const Json& value, const std::string& path, std::size_t size, const char* what);

    Result& result_;
    std::uint8_t profileSensor_ = 0;
    std::uint8_t targetSensor_ = 0;
};

} // namespace kestrel
