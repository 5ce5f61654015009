#include "ProfileDiff.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace kestrel::ctl {

namespace {

using Json = ProfileRule::Json;

// Every leaf value by its path; a {"byte": N} counts as one value.
void flatten(const Json& value, const std::string& path, std::vector<std::pair<std::string, Json>>& leaves)
{
    const bool rawByte = value.is_object() && value.size() == 1 && value.contains("byte");
    if (value.is_object() && !rawByte) {
        for (const auto& [key, item] : value.items())
            flatten(item, path.empty() ? key : path + "." + key, leaves);
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i)
            flatten(value[i], path + "[" + std::to_string(i) + "]", leaves);
    } else {
        leaves.emplace_back(path, value);
    }
}

std::optional<Json> valueAt(const std::vector<std::pair<std::string, Json>>& leaves, const std::string& path)
{
    for (const auto& [key, value] : leaves)
        if (key == path)
            return value;
    return std::nullopt;
}

std::string shown(const std::optional<Json>& value)
{
    return value ? shortDump(*value) : "(none)";
}

} // namespace

std::vector<std::string> profileDifferences(const Json& first, const Json& second)
{
    std::vector<std::pair<std::string, Json>> a;
    std::vector<std::pair<std::string, Json>> b;
    flatten(first, "", a);
    flatten(second, "", b);
    std::vector<std::string> lines;
    std::vector<std::string> seen;
    for (const auto* side : {&a, &b}) {
        for (const auto& [path, value] : *side) {
            if (std::find(seen.begin(), seen.end(), path) != seen.end())
                continue;
            seen.push_back(path);
            const std::optional<Json> left = valueAt(a, path);
            const std::optional<Json> right = valueAt(b, path);
            if (left != right)
                lines.push_back(path + ": " + shown(left) + " -> " + shown(right));
        }
    }
    return lines;
}

} // namespace kestrel::ctl
