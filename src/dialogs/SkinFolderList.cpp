#include "SkinFolderList.h"

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

} // namespace

QStringList SkinFolderList::names(const std::filesystem::path& skinsRoot)
{
    return skinsDirectory(skinsRoot).entryList();
}

std::optional<std::filesystem::path> SkinFolderList::find(const std::filesystem::path& skinsRoot, const QString& name)
{
    const QDir root = skinsDirectory(skinsRoot);
    const QStringList entries = root.entryList();
    // Where case matters to the file system, the exact name is the folder meant.
    if (entries.contains(name, Qt::CaseSensitive))
        return pathOf(root, name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return pathOf(root, entry);
    }
    return std::nullopt;
}

} // namespace kestrel
