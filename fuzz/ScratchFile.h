#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include <unistd.h>

namespace kestrel::fuzz {

// One file of this process's own under the temporary folder, rewritten for
// every input, for the parsers that read their input from a file.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("kestrel-fuzz-" + std::to_string(getpid()) + "-" + name))
    {
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

    const std::filesystem::path& write(std::span<const std::uint8_t> bytes) const
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path_;
    }

private:
    std::filesystem::path path_;
};

} // namespace kestrel::fuzz
