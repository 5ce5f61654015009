#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace kestrel {

// Where the program's files live. Portable: config.bin, str.ini, record.ini
// and Skins all sit in one folder, the executable's own (the build tree, an
// unpacked archive). Installed: the user's config.bin and str.ini live in a
// per-user folder, first copied there from the shipped defaults, and skins are
// looked up in the user's skins folder before the shipped one. Tests pass
// their own folders.
class ProgramFolder {
public:
    // What the user's session says about where per-user files go. An empty
    // text stands for an unset variable.
    struct UserDirectories {
        std::string configHome; // XDG_CONFIG_HOME
        std::string dataHome;   // XDG_DATA_HOME
        std::string home;       // HOME

        static UserDirectories fromEnvironment();
    };

    // Portable: everything in `folder`.
    explicit ProgramFolder(std::filesystem::path folder);
    // Installed: the user's files in `userFolder`, skins in the roots in the
    // order given (the first one holding a skin wins).
    ProgramFolder(std::filesystem::path userFolder, std::filesystem::path sharedFolder,
                  std::vector<std::filesystem::path> skinsRoots);

    // Decides the mode for an executable in `executableFolder`: portable when
    // config.bin lies beside it in a folder this user may write, installed
    // otherwise, with the shipped defaults in <prefix>/share/kestrel beside
    // <prefix>/bin. An installed folder whose per-user location cannot be
    // told (no HOME) stays portable, and so does every folder on Windows.
    static ProgramFolder forExecutable(const std::filesystem::path& executableFolder,
                                       const UserDirectories& user);

    bool installed() const { return !sharedFolder_.empty(); }
    // The folder of config.bin, str.ini and record.ini.
    const std::filesystem::path& folder() const { return folder_; }
    // The shipped defaults of an installed program; empty when portable.
    const std::filesystem::path& sharedFolder() const { return sharedFolder_; }
    std::filesystem::path configBin() const;
    std::filesystem::path strIni() const;
    // Only the path is known; nothing reads or writes this file.
    std::filesystem::path recordIni() const;
    // The folders holding skin folders, the user's first; never empty.
    const std::vector<std::filesystem::path>& skinsRoots() const { return skinsRoots_; }

    // Installed: creates the per-user folder, and each missing folder above
    // it such as ~/.config, owner only (0700), and copies the
    // shipped config.bin and str.ini into it where the user has none yet,
    // owner-readable and -writable only. Existing files are never touched.
    // Portable: nothing to do. The first failure is returned.
    std::error_code prepareUserFiles() const;

private:
    std::filesystem::path folder_;
    std::filesystem::path sharedFolder_;
    std::vector<std::filesystem::path> skinsRoots_;
};

} // namespace kestrel
