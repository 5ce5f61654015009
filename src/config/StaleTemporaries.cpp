#include "config/StaleTemporaries.h"

#include <algorithm>
#include <string_view>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {

namespace {

namespace fs = std::filesystem;

using NameChar = fs::path::value_type;
using NameView = std::basic_string_view<NameChar>;

bool isDigit(NameChar c) { return c >= '0' && c <= '9'; }

#ifdef _WIN32
// What follows ".NAME." in a temporary's name: two random numbers in
// decimal, written one after the other.
bool isTemporarySuffix(NameView suffix)
{
    return !suffix.empty() && suffix.size() <= 20 && std::all_of(suffix.begin(), suffix.end(), isDigit);
}
#else
bool isAlphanumeric(NameChar c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What follows ".NAME." in a temporary's name: mkstemp's six letters and digits.
bool isTemporarySuffix(NameView suffix)
{
    return suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(), isAlphanumeric);
}
#endif

// Someone else's file in a shared folder is theirs to clean up.
bool belongsToThisUser([[maybe_unused]] const fs::path& file)
{
#ifdef _WIN32
    return true;
#else
    struct stat status {};
    return ::lstat(file.c_str(), &status) == 0 && status.st_uid == ::geteuid();
#endif
}

bool isStale(const fs::path& file)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(file, error)) || !belongsToThisUser(file))
        return false;
    const fs::file_time_type written = fs::last_write_time(file, error);
    return !error && fs::file_time_type::clock::now() - written > StaleTemporaries::kStaleAge;
}

} // namespace

bool StaleTemporaries::isTemporaryNameFor(const fs::path& target, const fs::path& candidate)
{
    fs::path::string_type prefix(1, NameChar('.'));
    prefix += target.filename().native();
    prefix += NameChar('.');
    const fs::path fileName = candidate.filename();
    const NameView name = fileName.native();
    return name.size() > prefix.size() && name.starts_with(prefix) && isTemporarySuffix(name.substr(prefix.size()));
}

void StaleTemporaries::removeBeside(const fs::path& target)
{
    std::error_code error;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const fs::path& file = entry->path();
        if (isTemporaryNameFor(target, file.filename()) && isStale(file)) {
            std::error_code ignored;
            fs::remove(file, ignored);
        }
    }
}

} // namespace kestrel
