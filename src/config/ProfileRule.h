#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// How one byte of config.bin is written in a profile: a name or a number a
// person knows it by. A byte that has no such name (a value the window never
// stores, or a DPI level the sensor type lacks) is written as {"byte": N}, so
// that every byte survives a round trip; a profile may use that form anywhere.
class ProfileRule {
public:
    using Json = nlohmann::ordered_json;

    struct Choice {
        Json value;
        std::uint8_t byte;
    };

    // `what` completes "... is not ___" in a message; `allowed` lists what is.
    ProfileRule(std::string what, std::vector<Choice> choices, std::string allowed = {});

    // Whole numbers first..last standing for the same byte values.
    static ProfileRule range(std::string what, int first, int last);
    // Strings, each for the byte of its position.
    static ProfileRule names(std::string what, const std::vector<std::string>& names);

    Json encode(std::uint8_t byte) const;
    // The byte for a profile value; nullopt with a problem naming `path` when
    // the value is not allowed.
    std::optional<std::uint8_t> decode(const Json& value, const std::string& path,
                                       std::vector<std::string>& problems) const;

    const std::string& what() const { return what_; }

private:
    std::optional<std::uint8_t> decodeByte(const Json& value, const std::string& path,
                                           std::vector<std::string>& problems) const;
    std::string refusal(const Json& value) const;

    std::string what_;
    std::vector<Choice> choices_;
    std::string allowed_;
};

// A value as a message quotes it: its JSON text, cut short when long.
std::string shortDump(const ProfileRule::Json& value);
// A name (a key) as a message quotes it: cut short when long.
std::string shortName(const std::string& name);

// The closest of the candidates to a mistyped word, when one is close enough.
std::optional<std::string> closestName(const std::string& word, const std::vector<std::string>& candidates);

} // namespace kestrel
