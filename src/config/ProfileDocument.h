#pragma once

#include "config/ProfileRule.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrel {

// The text of a profile file. What a file of settings is follows from its
// first bytes, never from its size: a profile is JSON and starts with "{"
// (after an optional UTF-8 byte order mark and blanks); anything else is
// taken for a config.bin. A document is read only when it is one a person
// could have meant: not nested deeper than any profile is, and naming each
// key of an object once, so that a bad merge cannot pass unnoticed.
class ProfileDocument {
public:
    using Json = ProfileRule::Json;

    enum class Kind { Profile, Utf16Text, NotAProfile };

    // The deepest a profile nests: document, "buttons", key group, button,
    // "stored", a function's values, {"byte": N}.
    static constexpr int kMaxDepth = 7;

    // Far more keys than any object of a profile has (the document's 12), yet
    // room for a list of mistakes.
    static constexpr std::size_t kMaxKeys = 1000;

    static Kind kindOf(std::span<const std::uint8_t> bytes);

    // The document, or nullopt with one line in `error` saying where and why
    // the text cannot be read. Nothing recursive runs before the depth is known.
    static std::optional<Json> parse(std::span<const std::uint8_t> bytes, std::string& error);

private:
    static std::string nestingProblem(std::span<const std::uint8_t> bytes);
};

} // namespace kestrel
