// Runs a fuzz target over stored inputs without libFuzzer, so that every
// build replays the seed corpora with its own compiler and sanitizers.
//
//   replay_NAME PATH...
//
// Each PATH is an input file or a folder of them (not descended into). The
// target aborts on a finding; this driver fails when a path cannot be read
// or holds no input, so a moved corpus cannot pass by replaying nothing.
#include "config/BinaryFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// libFuzzer's own inputs are far smaller; anything larger is not a seed.
constexpr std::size_t maxInputSize = 1024 * 1024;

// The inputs a path names: itself, or the regular files in it, in name order.
std::vector<fs::path> inputsAt(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_directory(fs::status(path, error)))
        return {path};
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::directory_iterator(path, error)) {
        if (entry.is_regular_file(error))
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH...\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const auto inputs = inputsAt(argv[i]);
        if (inputs.empty()) {
            std::fprintf(stderr, "%s: no inputs\n", argv[i]);
            return 1;
        }
        for (const auto& input : inputs) {
            const auto read = kestrel::BinaryFile::read(input, maxInputSize);
            if (read.error) {
                std::fprintf(stderr, "%s: %s\n", input.c_str(), read.error.message().c_str());
                return 1;
            }
            std::printf("%s\n", input.c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(read.bytes.data(), read.bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
