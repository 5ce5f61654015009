#include "NoticeEndpoint.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

unsigned currentUserId()
{
#if defined(_WIN32)
    return 0;
#else
    return static_cast<unsigned>(getuid());
#endif
}

} // namespace

std::filesystem::path NoticeEndpoint::runtimeFolder()
{
    return runtimeFolder(std::getenv("XDG_RUNTIME_DIR"), std::getenv("TMPDIR"), currentUserId());
}

std::filesystem::path NoticeEndpoint::runtimeFolder(const char* xdgRuntimeDir, const char* tmpDir, unsigned userId)
{
    const std::vector<std::filesystem::path> choices = runtimeFolderChoices(xdgRuntimeDir, tmpDir, userId);
    for (const auto& folder : choices) {
        if (prepareRuntimeFolder(folder))
            return folder;
    }
    return choices.back();
}

std::vector<std::filesystem::path> NoticeEndpoint::runtimeFolderChoices(const char* xdgRuntimeDir, const char* tmpDir,
                                                                        unsigned userId)
{
    std::vector<std::filesystem::path> choices;
    if (xdgRuntimeDir && std::filesystem::path(xdgRuntimeDir).is_absolute())
        choices.emplace_back(xdgRuntimeDir);
#if defined(_WIN32)
    (void)tmpDir;
    (void)userId;
    std::error_code ignored;
    choices.push_back(std::filesystem::temp_directory_path(ignored));
#else
    const std::filesystem::path temp = tmpDir && std::filesystem::path(tmpDir).is_absolute() ? tmpDir : "/tmp";
    choices.push_back(temp / ("kestrel-runtime-" + std::to_string(userId)));
#endif
    return choices;
}

bool NoticeEndpoint::prepareRuntimeFolder(const std::filesystem::path& folder)
{
#if defined(_WIN32)
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
#else
    // A shared temporary folder lets anyone create the name first, so an
    // existing folder counts only when it is ours and closed to others.
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat status {};
    if (lstat(folder.c_str(), &status) != 0)
        return false;
    return S_ISDIR(status.st_mode) && status.st_uid == getuid() && (status.st_mode & 0077) == 0;
#endif
}

std::filesystem::path NoticeEndpoint::lockFile(const std::filesystem::path& runtimeFolder)
{
    return runtimeFolder / (std::string(kMutexName) + ".lock");
}

std::filesystem::path NoticeEndpoint::socketFile(const std::filesystem::path& runtimeFolder)
{
    return runtimeFolder / (std::string(kMutexName) + ".socket");
}

std::string NoticeEndpoint::encode(Notice notice)
{
    return std::to_string(notice.kind) + ' ' + std::to_string(notice.value) + '\n';
}

std::optional<Notice> NoticeEndpoint::decode(std::string_view line)
{
    const std::string_view text = trimmed(line);
    const auto gap = text.find_first_of(kBlanks);
    if (gap == std::string_view::npos)
        return std::nullopt;
    const auto kind = parseNumber(text.substr(0, gap));
    const auto value = parseNumber(trimmed(text.substr(gap)));
    if (!kind || !value)
        return std::nullopt;
    return Notice{*kind, *value};
}

std::optional<int> NoticeEndpoint::parseNumber(std::string_view text)
{
    // from_chars takes a minus sign but no plus sign.
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace kestrel
