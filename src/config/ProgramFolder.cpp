#include "config/ProgramFolder.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramName = "kestrel";
constexpr std::array<const char*, 2> kUserFiles = {"config.bin", "str.ini"};

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

#ifndef _WIN32
// The system itself knows about root, groups and access lists.
bool mayWriteFolder(const fs::path& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

// An XDG variable counts only when it holds an absolute path; otherwise the
// default below HOME applies.
fs::path baseFolder(const std::string& xdgValue, const std::string& home, const char* defaultBelowHome)
{
    if (!xdgValue.empty() && fs::path(xdgValue).is_absolute())
        return fs::path(xdgValue);
    return fs::path(home) / defaultBelowHome;
}
#endif

// Makes one folder readable, writable and searchable by its owner only.
// Returns whether this call made it: one that appeared meanwhile is left as
// its maker set it.
bool makePrivateFolder(const fs::path& folder, std::error_code& error)
{
#ifdef _WIN32
    return fs::create_directory(folder, error);
#else
    // Made 0700 from the start, so no one else can look in between; the
    // umask may take bits away, which the caller's chmod gives back.
    if (::mkdir(folder.c_str(), S_IRWXU) == 0)
        return true;
    const int mkdirError = errno;
    if (mkdirError != EEXIST || !fs::is_directory(folder, error))
        error = std::error_code(mkdirError, std::generic_category());
    return false;
#endif
}

// Creates `folder` and each missing folder above it owner-only (0700), as
// the XDG base directory rules ask of the folders a program makes for a
// user: ~/.config itself too when the session has none yet. Folders that
// exist keep their permissions.
std::error_code createPrivateFolders(const fs::path& folder)
{
    std::error_code error;
    if (fs::is_directory(folder, error))
        return {};
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder) {
        if (const std::error_code parentError = createPrivateFolders(parent))
            return parentError;
    }
    error.clear();
    if (makePrivateFolder(folder, error))
        fs::permissions(folder, fs::perms::owner_all, error);
    return error;
}

std::error_code copyIfMissing(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)) || !fs::exists(from, error))
        return error;
    // copy_file refuses to replace a file that appears meanwhile.
    if (!fs::copy_file(from, to, fs::copy_options::none, error))
        return error;
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, error);
    return error;
}

} // namespace

ProgramFolder::UserDirectories ProgramFolder::UserDirectories::fromEnvironment()
{
    return {variable("XDG_CONFIG_HOME"), variable("XDG_DATA_HOME"), variable("HOME")};
}

ProgramFolder::ProgramFolder(fs::path folder) : folder_(std::move(folder)), skinsRoots_{folder_ / "Skins"} {}

ProgramFolder::ProgramFolder(fs::path userFolder, fs::path sharedFolder, std::vector<fs::path> skinsRoots)
    : folder_(std::move(userFolder))
    , sharedFolder_(std::move(sharedFolder))
    , skinsRoots_(std::move(skinsRoots))
{
}

ProgramFolder ProgramFolder::forExecutable(const fs::path& executableFolder, const UserDirectories& user)
{
#ifdef _WIN32
    // Windows programs of this kind keep their files beside the executable;
    // HOME and the XDG folders, which some shells set there, mean nothing.
    (void)user;
    return ProgramFolder(executableFolder);
#else
    std::error_code error;
    const bool portable = fs::is_regular_file(executableFolder / "config.bin", error) &&
                          mayWriteFolder(executableFolder);
    const bool userKnown = !user.home.empty() || (fs::path(user.configHome).is_absolute() &&
                                                  fs::path(user.dataHome).is_absolute());
    if (portable || !userKnown)
        return ProgramFolder(executableFolder);
    const fs::path shared = (executableFolder / KESTREL_SHARED_FROM_BINDIR).lexically_normal();
    return ProgramFolder(baseFolder(user.configHome, user.home, ".config") / kProgramName, shared,
                         {baseFolder(user.dataHome, user.home, ".local/share") / kProgramName / "Skins",
                          shared / "Skins"});
#endif
}

fs::path ProgramFolder::configBin() const { return folder_ / "config.bin"; }

fs::path ProgramFolder::strIni() const { return folder_ / "str.ini"; }

fs::path ProgramFolder::recordIni() const { return folder_ / "record.ini"; }

std::error_code ProgramFolder::prepareUserFiles() const
{
    if (!installed())
        return {};
    if (const std::error_code error = createPrivateFolders(folder_))
        return error;
    for (const char* name : kUserFiles) {
        if (const std::error_code copyError = copyIfMissing(sharedFolder_ / name, folder_ / name))
            return copyError;
    }
    return {};
}

} // namespace kestrel
