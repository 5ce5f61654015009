#include "skin/SkinFolder.h"

#include <algorithm>

namespace kestrel {

bool SkinFolder::isPlainFolderName(std::string_view name)
{
    if (name == "." || name == "..")
        return false;
    // Separators of either platform, a drive colon and control characters
    // all make the name more than one folder.
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

SkinLocation SkinFolder::locate(const ProgramFolder& programFolder, std::string_view skinName)
{
    const auto& roots = programFolder.skinsRoots();
    // The last root holds the skins shipped with the program.
    if (skinName.empty() || !isPlainFolderName(skinName))
        return {std::string(), roots.back()};
    const std::filesystem::path name(std::u8string(skinName.begin(), skinName.end()));
    for (const std::filesystem::path& root : roots) {
        std::error_code error;
        if (std::filesystem::is_directory(root / name, error))
            return {std::string(skinName), root / name};
    }
    return {std::string(skinName), roots.back() / name};
}

QString SkinFolder::imagePath(const std::filesystem::path& folder, std::string_view fileName)
{
    return QString::fromStdU16String(folder.u16string()) +
           QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

} // namespace kestrel
