#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kestrel::test {

// What one run of the real kestrelctl printed and returned.
struct CtlResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A file the run wrote, whole; empty when it is missing.
inline std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace kestrel::test
