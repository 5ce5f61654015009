// Runs a fuzz target over stored inputs without libFuzzer, so that every
// build replays the seed corpora with its own compiler and sanitizers.
//
//   replay_NAME PATH...
//
// Each PATH is an input file or a folder of them (not descended into). The
// target aborts on a finding; this driver fails when a path cannot be read
// or holds no input, so a moved corpus cannot pass by replaying nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// libFuzzer's own inputs are far smaller; anything larger is not a seed.
constexpr std::uintmax_t maxInputSize = 1024 * 1024;

std::optional<std::vector<std::uint8_t>> readInput(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::status(path, error)) || fs::file_size(path, error) > maxInputSize || error)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad() || bytes.size() > maxInputSize)
        return std::nullopt;
    return bytes;
}

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
            const auto bytes = readInput(input);
            if (!bytes) {
                std::fprintf(stderr, "%s: not a readable input of at most %ju bytes\n", input.c_str(), maxInputSize);
                return 1;
            }
            std::printf("%s\n", input.c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(bytes->data(), bytes->size());
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return 0;
}
