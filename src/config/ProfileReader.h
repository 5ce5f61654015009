#pragma once

#include "config/Language.h"
#include "config/ProfileData.h"
#include "config/ProfileRule.h"
#include "config/TextTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// Reads a profile document over the current settings: what the profile names
// replaces the current value, what it leaves out stays. Every problem is
// collected (one line each, naming the JSON path and what is allowed); the
// result is usable only when there are none. DPI values are read by the
// sensor type the profile names (or else the target's) and moved to the
// nearest level of the target sensor type when that differs, each with a
// warning; levels given as {"byte": N} are kept as they are. A button whose
// function changes and whose caption the profile leaves out can get the
// caption the key page gives on choosing that function.
class ProfileReader {
public:
    using Json = ProfileRule::Json;

    struct Result {
        ProfileData data;
        std::vector<std::string> problems;
        std::vector<std::string> warnings;

        bool ok() const { return problems.empty(); }
    };

    // Without a target the profile's own sensor type is kept. Captions are
    // made for changed functions only when a language is given for them:
    // settings that are only compared keep the captions they have.
    static Result read(const Json& document, const ProfileData& current,
                       std::optional<std::uint8_t> targetSensorType = std::nullopt,
                       std::optional<Language> captionLanguage = std::nullopt);

    // True when the document says it is a profile.
    static bool looksLikeProfile(const Json& document);

    // True when the document sets every byte of config.bin, so that what it
    // gives does not depend on the settings it is read over.
    static bool setsEverySetting(const Json& document, std::optional<std::uint8_t> targetSensorType);

private:
    ProfileReader(const ProfileData& current, Result& result, std::optional<Language> captionLanguage);

    void readDocument(const Json& document, std::optional<std::uint8_t> targetSensorType);
    void readSensorType(const Json& document, std::optional<std::uint8_t> targetSensorType);
    void readStages(const Json& stages);
    void readLighting(const Json& lighting);
    void readFire(const Json& fire);
    void readButtons(const Json& buttons);
    void readButton(const Json& button, const std::string& path, KeyGroup group, int b);
    void readFunctionValues(const Json& values, const std::string& path, std::uint8_t function, KeyGroup group, int b);
    void readReserved(const Json& reserved);
    void readCaption(const Json& caption, const std::string& path, std::size_t index);
    void readStored(const Json& stored, const std::string& storedPath, std::uint8_t function, KeyGroup group, int b);
    void captionChangedFunction(KeyGroup group, int b);
    bool refuseMisplacedStoredBlock(const Json& stored, const std::string& storedPath, std::uint8_t function);
    std::optional<std::uint8_t> readingSensor() const { return profileSensor_ ? profileSensor_ : targetSensor_; }
    void readSnipeDpi(const Json& value);
    std::optional<std::uint8_t> readDpiLevel(const Json& value, const std::string& path);

    void readByte(const Json& object, const char* key, const std::string& path, const ProfileRule& rule,
                  std::uint8_t& target);
    bool expectObject(const Json& value, const std::string& path, std::vector<std::string> keys);
    bool expectArray(const Json& value, const std::string& path, std::size_t size, const char* what);

    Result& result_;
    std::optional<Language> captionLanguage_;
    std::optional<std::uint8_t> profileSensor_;
    std::optional<std::uint8_t> targetSensor_;
    std::optional<TextTable> texts_;
};

} // namespace kestrel
