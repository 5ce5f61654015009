#include "SkinFolder.h"

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
    if (skinName.empty() || !isPlainFolderName(skinName))
        return {std::string(), programFolder.skinsFolder()};
    return {std::string(skinName), programFolder.skinsFolder() / std::filesystem::path(std::u8string(
                                                                      skinName.begin(), skinName.end()))};
}

QString SkinFolder::imagePath(const std::filesystem::path& folder, std::string_view fileName)
{
    return QString::fromStdU16String(folder.u16string()) +
           QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

} // namespace kestrel
