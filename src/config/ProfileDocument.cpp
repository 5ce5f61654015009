#include "config/ProfileDocument.h"

#include <array>
#include <unordered_set>
#include <vector>

namespace kestrel {

namespace {

using Json = ProfileDocument::Json;

bool isBlank(std::uint8_t byte)
{
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool hasUtf8Mark(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

bool hasUtf16Mark(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
}

// Blanks and then "{" in UTF-16 without a byte order mark, in either byte order.
bool startsAsUtf16Json(std::span<const std::uint8_t> bytes)
{
    for (const bool littleEndian : {true, false}) {
        for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
            const std::uint8_t low = littleEndian ? bytes[at] : bytes[at + 1];
            const std::uint8_t high = littleEndian ? bytes[at + 1] : bytes[at];
            if (high != 0 || !(isBlank(low) || low == '{'))
                break;
            if (low == '{')
                return true;
        }
    }
    return false;
}

std::string withoutExceptionPrefix(std::string text)
{
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
    const std::size_t end = text.find("] ");
    return text.starts_with("[json.exception.") && end != std::string::npos ? text.substr(end + 2) : text;
}

// A key an object names twice, or an object with more keys than any profile
// could hold, by the path of the key or the object.
struct RefusedKey {
    std::string problem;
};

// Follows the parser through the document to name the path of a key that an
// object repeats; the parser itself would keep the last value silently.
class KeyTracker {
public:
    bool onEvent(Json::parse_event_t event, const Json& parsed)
    {
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            frames_.push_back({event == Json::parse_event_t::array_start, {}, {}, 0});
            break;
        case Json::parse_event_t::key:
            frames_.back().key = parsed.get<std::string>();
            if (!frames_.back().keys.insert(frames_.back().key).second)
                throw RefusedKey{path(frames_.size()) + ": the key is given twice; an object names each key once"};
            // Each key costs the parser a look through the object's keys: stop long before that adds up.
            if (frames_.back().keys.size() > ProfileDocument::kMaxKeys)
                throw RefusedKey{objectPath() + ": more than " + std::to_string(ProfileDocument::kMaxKeys)
                                 + " keys in one object; a profile has at most 12"};
            break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end:
            frames_.pop_back();
            countElement();
            break;
        case Json::parse_event_t::value:
            countElement();
            break;
        }
        return true;
    }

private:
    struct Frame {
        bool array;
        std::unordered_set<std::string> keys;
        std::string key;
        std::size_t index;
    };

    void countElement()
    {
        if (!frames_.empty() && frames_.back().array)
            ++frames_.back().index;
    }

    std::string objectPath() const
    {
        const std::string text = path(frames_.size() - 1);
        return text.empty() ? "(document)" : text;
    }

    // The path through the first `depth` open objects and arrays.
    std::string path(std::size_t depth) const
    {
        std::string text;
        for (std::size_t i = 0; i < depth; ++i) {
            const Frame& frame = frames_[i];
            if (frame.array)
                text += "[" + std::to_string(frame.index) + "]";
            else
                text += (text.empty() ? "" : ".") + shortName(frame.key);
        }
        return text;
    }

    std::vector<Frame> frames_;
};

} // namespace

ProfileDocument::Kind ProfileDocument::kindOf(std::span<const std::uint8_t> bytes)
{
    if (hasUtf16Mark(bytes) || startsAsUtf16Json(bytes))
        return Kind::Utf16Text;
    std::size_t at = hasUtf8Mark(bytes) ? 3 : 0;
    while (at < bytes.size() && isBlank(bytes[at]))
        ++at;
    return at < bytes.size() && bytes[at] == '{' ? Kind::Profile : Kind::NotAProfile;
}

std::optional<ProfileDocument::Json> ProfileDocument::parse(std::span<const std::uint8_t> bytes, std::string& error)
{
    if (kindOf(bytes) == Kind::Utf16Text) {
        error = "saved as UTF-16; save it as UTF-8";
        return std::nullopt;
    }
    if (error = nestingProblem(bytes); !error.empty())
        return std::nullopt;
    KeyTracker tracker;
    try {
        return Json::parse(bytes.begin(), bytes.end(), [&tracker](int, Json::parse_event_t event, Json& parsed) {
            return tracker.onEvent(event, parsed);
        });
    } catch (const RefusedKey& refused) {
        error = refused.problem;
    } catch (const Json::exception& e) {
        error = "not valid JSON: " + withoutExceptionPrefix(e.what());
    }
    return std::nullopt;
}

std::string ProfileDocument::nestingProblem(std::span<const std::uint8_t> bytes)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const std::uint8_t byte = bytes[at];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (byte == '\\')
                escaped = true;
            else if (byte == '"')
                inString = false;
        } else if (byte == '"') {
            inString = true;
        } else if (byte == '{' || byte == '[') {
            if (++depth > kMaxDepth)
                return "nested deeper than " + std::to_string(kMaxDepth) + " levels at byte " + std::to_string(at)
                    + "; a profile nests at most " + std::to_string(kMaxDepth) + " deep";
        } else if ((byte == '}' || byte == ']') && depth > 0) {
            --depth;
        }
    }
    return {};
}

} // namespace kestrel
