#include "dialogs/SkinFolderList.h"

#include <QDir>

namespace kestrel {

namespace {

QDir skinsDirectory(const std::filesystem::path& skinsRoot)
{
    return QDir(QString::fromStdU16String(skinsRoot.u16string()), QString(), QDir::Name,
                QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

std::filesystem::path pathOf(const QDir& root, const QString& name)
{
    return std::filesystem::path(root.filePath(name).toStdU16String());
}

std::optional<std::filesystem::path> findInRoot(const std::filesystem::path& skinsRoot, const QString& name,
                                                Qt::CaseSensitivity sensitivity)
{
    const QDir root = skinsDirectory(skinsRoot);
    for (const QString& entry : root.entryList()) {
        if (entry.compare(name, sensitivity) == 0)
            return pathOf(root, entry);
    }
    return std::nullopt;
}

} // namespace

QStringList SkinFolderList::names(const Roots& skinsRoots)
{
    QStringList all;
    for (const std::filesystem::path& root : skinsRoots)
        all += skinsDirectory(root).entryList();
    all.removeDuplicates();
    all.sort();
    return all;
}

std::optional<std::filesystem::path> SkinFolderList::find(const Roots& skinsRoots, const QString& name)
{
    // Where case matters to the file system, the exact name is the folder meant.
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const std::filesystem::path& root : skinsRoots) {
            if (auto folder = findInRoot(root, name, sensitivity))
                return folder;
        }
    }
    return std::nullopt;
}

} // namespace kestrel
