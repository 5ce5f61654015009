#pragma once

#include <filesystem>

namespace kestrel {

// The folder the program's files live in: the executable's own folder,
// whatever the executable is called. Tests pass a temporary folder instead.
class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path configBin() const;
    std::filesystem::path strIni() const;
    // Only the path is known; nothing reads or writes this file.
    std::filesystem::path recordIni() const;
    std::filesystem::path skinsFolder() const;

private:
    std::filesystem::path folder_;
};

} // namespace kestrel
