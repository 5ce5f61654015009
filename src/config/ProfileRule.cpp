#include "config/ProfileRule.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace kestrel {

namespace {

constexpr const char* kByteKey = "byte";

std::string lowered(const std::string& text)
{
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string listOf(const std::vector<ProfileRule::Choice>& choices)
{
    std::string text;
    for (const ProfileRule::Choice& choice : choices)
        text += (text.empty() ? "" : ", ") + choice.value.dump();
    return text;
}

} // namespace

std::string shortName(const std::string& name)
{
    constexpr std::size_t kLongest = 60;
    if (name.size() <= kLongest)
        return name;
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut) + "...";
}

std::string shortDump(const ProfileRule::Json& value)
{
    return shortName(value.dump(-1, ' ', false, ProfileRule::Json::error_handler_t::replace));
}

std::optional<std::string> closestName(const std::string& word, const std::vector<std::string>& candidates)
{
    // Long inputs are not words anyone meant to type; comparing them costs time.
    constexpr std::size_t kLongest = 64;
    if (word.size() > kLongest)
        return std::nullopt;
    std::optional<std::string> best;
    std::size_t bestDistance = 0;
    for (const std::string& candidate : candidates) {
        const std::size_t distance = editDistance(lowered(word), lowered(candidate));
        const std::size_t tolerated = std::max<std::size_t>(1, candidate.size() / 3);
        if (distance <= tolerated && (!best || distance < bestDistance)) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

ProfileRule::ProfileRule(std::string what, std::vector<Choice> choices, std::string allowed)
    : what_(std::move(what))
    , choices_(std::move(choices))
    , allowed_(allowed.empty() ? listOf(choices_) : std::move(allowed))
{
}

ProfileRule ProfileRule::range(std::string what, int first, int last)
{
    std::vector<Choice> choices;
    for (int value = first; value <= last; ++value)
        choices.push_back({value, static_cast<std::uint8_t>(value)});
    return ProfileRule(std::move(what), std::move(choices),
                       "a whole number from " + std::to_string(first) + " to " + std::to_string(last));
}

ProfileRule ProfileRule::names(std::string what, const std::vector<std::string>& names)
{
    std::vector<Choice> choices;
    for (std::size_t i = 0; i < names.size(); ++i)
        choices.push_back({names[i], static_cast<std::uint8_t>(i)});
    return ProfileRule(std::move(what), std::move(choices));
}

ProfileRule::Json ProfileRule::encode(std::uint8_t byte) const
{
    const auto found = std::find_if(choices_.begin(), choices_.end(),
                                    [byte](const Choice& choice) { return choice.byte == byte; });
    if (found != choices_.end())
        return found->value;
    return Json{{kByteKey, byte}};
}

std::optional<std::uint8_t> ProfileRule::decode(const Json& value, const std::string& path,
                                                std::vector<std::string>& problems) const
{
    if (value.is_object())
        return decodeByte(value, path, problems);
    for (const Choice& choice : choices_) {
        if (value.is_number() ? choice.value.is_number() && value == choice.value : value == choice.value)
            return choice.byte;
    }
    problems.push_back(path + ": " + refusal(value));
    return std::nullopt;
}

std::optional<std::uint8_t> ProfileRule::decodeByte(const Json& value, const std::string& path,
                                                    std::vector<std::string>& problems) const
{
    if (value.size() != 1 || !value.contains(kByteKey)) {
        problems.push_back(path + ": " + refusal(value) + R"( (or {"byte": N} for a byte without a name))");
        return std::nullopt;
    }
    const Json& byte = value.at(kByteKey);
    if (!byte.is_number_integer() || byte.get<long long>() < 0 || byte.get<long long>() > 255) {
        problems.push_back(path + "." + kByteKey + ": " + shortDump(byte) + " is not a byte; allowed: a whole number from 0 to 255");
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(byte.get<long long>());
}

std::string ProfileRule::refusal(const Json& value) const
{
    std::string text = shortDump(value) + " is not " + what_;
    if (value.is_string()) {
        std::vector<std::string> names;
        for (const Choice& choice : choices_)
            if (choice.value.is_string())
                names.push_back(choice.value.get<std::string>());
        if (const auto suggestion = closestName(value.get<std::string>(), names))
            return text + "; did you mean " + Json(*suggestion).dump() + "?";
    }
    return text + "; allowed: " + allowed_;
}

} // namespace kestrel
