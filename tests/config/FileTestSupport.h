#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("kestrel-config-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string fileText(const std::filesystem::path& path)
{
    const std::vector<std::uint8_t> bytes = fileBytes(path);
    return {bytes.begin(), bytes.end()};
}

inline void writeFile(const std::filesystem::path& path, std::string_view contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& contents)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(contents.data()),
                                                static_cast<std::streamsize>(contents.size()));
}

// The names in a folder, sorted.
inline std::vector<std::string> folderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `body` as an ordinary user and returns its result (0 to 255): in a
// child that drops to "nobody" when the tests run as root, since root may
// write where nobody else may; in this process otherwise.
int runUnprivileged(const std::function<int()>& body);

} // namespace kestrel::test
