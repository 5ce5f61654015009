#pragma once

#include "config/ProgramFolder.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrel {

// The skin in use: its name and the folder its images are read from.
struct SkinLocation {
    std::string name;
    std::filesystem::path folder;
};

// Finds a skin's folder: the first skins root holding a folder of the skin's
// name (the user's own skins come before the shipped ones).
// Only a plain folder name is followed; a name that is a path, "." or ".."
// could lead out of "Skins", so such a name is dropped and no skin name is
// used (the folder is the shipped skins root itself, as with an empty name).
class SkinFolder {
public:
    static bool isPlainFolderName(std::string_view name);
    static SkinLocation locate(const ProgramFolder& programFolder, std::string_view skinName);
    // The folder followed by a skin file name that begins with "/".
    static QString imagePath(const std::filesystem::path& folder, std::string_view fileName);
};

} // namespace kestrel
