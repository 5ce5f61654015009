#include "config/LongPath.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace kestrel::longpath {

namespace {

constexpr std::wstring_view kPrefix = L"\\\\?\\";
constexpr std::wstring_view kUncPrefix = L"\\\\?\\UNC\\";

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool isAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t upper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// "\\?\", "\\.\" and "\??\" (with either separator) hand the path to the
// system's object names as it stands.
bool isAlreadyPrefixed(std::wstring_view path)
{
    if (path.size() < 4 || !isSeparator(path[0]) || !isSeparator(path[3]))
        return false;
    return (isSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.')) || (path[1] == L'?' && path[2] == L'?');
}

bool startsWithDrive(std::wstring_view path)
{
    return path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == L':';
}

bool isUnc(std::wstring_view path)
{
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

// The current folder in its plain form, should the system report it with the prefix.
std::wstring plainFolder(std::wstring_view folder)
{
    if (folder.starts_with(kUncPrefix))
        return L"\\\\" + std::wstring(folder.substr(kUncPrefix.size()));
    if (folder.starts_with(kPrefix))
        return std::wstring(folder.substr(kPrefix.size()));
    return std::wstring(folder);
}

std::vector<std::wstring_view> components(std::wstring_view path)
{
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::find_if(path.begin() + static_cast<std::ptrdiff_t>(start), path.end(), isSeparator);
        const std::size_t stop = static_cast<std::size_t>(end - path.begin());
        if (stop > start)
            parts.push_back(path.substr(start, stop - start));
        start = stop + 1;
    }
    return parts;
}

// "NUL", "con.txt", "Com1 .log": names the system takes for devices.
bool isDeviceName(std::wstring_view name)
{
    std::wstring base(name.substr(0, name.find(L'.')));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(), upper);
    static constexpr std::array<std::wstring_view, 4> kNames{L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kNames.begin(), kNames.end(), base) != kNames.end())
        return true;
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) && base[3] >= L'1'
        && base[3] <= L'9';
}

// Whether the system would rewrite the component when it cleans up a path.
bool isRewrittenBySystem(std::wstring_view name)
{
    return name.back() == L'.' || name.back() == L' ' || isDeviceName(name);
}

// The path made absolute, separators as the system writes them; nullopt for a
// form resolved against something unknown here (the current folder of
// another drive).
std::optional<std::wstring> absoluteForm(std::wstring_view path, std::wstring_view currentFolder)
{
    if (isUnc(path))
        return std::wstring(path);
    if (startsWithDrive(path)) {
        if (path.size() > 2 && isSeparator(path[2]))
            return std::wstring(path);
        return std::nullopt;
    }
    const std::wstring folder = plainFolder(currentFolder);
    if (isSeparator(path[0])) {
        if (!startsWithDrive(folder))
            return std::nullopt;
        return folder.substr(0, 2) + std::wstring(path);
    }
    if (!startsWithDrive(folder) && !isUnc(folder))
        return std::nullopt;
    return folder + L"\\" + std::wstring(path);
}

struct Rooted {
    std::wstring plainRoot;     // "C:" or "\\server\share"
    std::wstring prefixedRoot;  // "\\?\C:" or "\\?\UNC\server\share"
    std::wstring_view rest;
};

// Appended rather than added with operator+, which GCC 12's fortified
// string copy warns about wrongly when inlined here.
std::wstring joined(std::wstring_view first, std::wstring_view second)
{
    std::wstring text;
    text.reserve(first.size() + second.size());
    return text.append(first).append(second);
}

std::optional<Rooted> splitRoot(std::wstring_view absolute)
{
    if (startsWithDrive(absolute)) {
        const std::wstring drive(absolute.substr(0, 2));
        return Rooted{drive, joined(kPrefix, drive), absolute.substr(2)};
    }
    // "\\server\share": two names, each after exactly one separator.
    const auto nameAt = [absolute](std::size_t start) {
        const auto end = std::find_if(absolute.begin() + static_cast<std::ptrdiff_t>(start), absolute.end(),
                                      isSeparator);
        return absolute.substr(start, static_cast<std::size_t>(end - absolute.begin()) - start);
    };
    const std::wstring_view server = nameAt(2);
    const std::size_t shareStart = 2 + server.size() + 1;
    if (server.empty() || shareStart > absolute.size() || isRewrittenBySystem(server))
        return std::nullopt;
    const std::wstring_view share = nameAt(shareStart);
    if (share.empty() || isRewrittenBySystem(share))
        return std::nullopt;
    const std::wstring serverShare = joined(joined(server, L"\\"), share);
    const std::size_t restStart = shareStart + share.size();
    return Rooted{joined(L"\\\\", serverShare), joined(kUncPrefix, serverShare), absolute.substr(restStart)};
}

// The components after the root with "." and ".." applied, as the system does;
// ".." never climbs above the root. nullopt when a component would be rewritten.
std::optional<std::wstring> cleanedRest(std::wstring_view rest)
{
    std::vector<std::wstring_view> kept;
    for (const std::wstring_view part : components(rest)) {
        if (part == L".")
            continue;
        if (part == L"..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        if (isRewrittenBySystem(part))
            return std::nullopt;
        kept.push_back(part);
    }
    std::wstring cleaned;
    for (const std::wstring_view part : kept)
        cleaned.append(L"\\").append(part);
    return cleaned.empty() ? std::wstring(L"\\") : cleaned;
}

} // namespace

std::wstring extendedLengthPath(std::wstring_view path, std::wstring_view currentFolder)
{
    if (path.empty() || isAlreadyPrefixed(path))
        return std::wstring(path);
    const auto absolute = absoluteForm(path, currentFolder);
    if (!absolute)
        return std::wstring(path);
    const auto rooted = splitRoot(*absolute);
    if (!rooted)
        return std::wstring(path);
    const auto rest = cleanedRest(rooted->rest);
    if (!rest || rooted->plainRoot.size() + rest->size() < kPrefixFrom)
        return std::wstring(path);
    return rooted->prefixedRoot + *rest;
}

} // namespace kestrel::longpath
