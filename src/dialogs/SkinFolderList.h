#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

namespace kestrel {

// The skins a user can choose: the sub-folders of the skins roots (the
// user's own skins folder, then the shipped one).
class SkinFolderList {
public:
    using Roots = std::vector<std::filesystem::path>;

    // The names of the folders in the skins roots, hidden ones included,
    // without "." and ".." and without plain files, each name once, in name
    // order; none when no root exists.
    static QStringList names(const Roots& skinsRoots);

    // The folder a chosen name stands for: the folder of exactly that name,
    // else the first whose name differs only in letter case (a folder renamed
    // "Blue" to "BLUE" is still found); nullopt when there is neither. The
    // roots are searched in order, so a user's folder hides a shipped one of
    // the same name.
    static std::optional<std::filesystem::path> find(const Roots& skinsRoots, const QString& name);
};

} // namespace kestrel
