#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace kestrel {

// The skins a user can choose: the sub-folders of the "Skins" folder.
class SkinFolderList {
public:
    // The names of the folders in the skins root, hidden ones included,
    // without "." and ".." and without plain files, in name order; none when
    // the root is missing.
    static QStringList names(const std::filesystem::path& skinsRoot);

    // The folder a chosen name stands for: the folder of exactly that name,
    // else the first whose name differs only in letter case (a folder renamed
    // "Blue" to "BLUE" is still found); nullopt when there is neither.
    static std::optional<std::filesystem::path> find(const std::filesystem::path& skinsRoot, const QString& name);
};

} // namespace kestrel
