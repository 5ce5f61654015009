#include "SimulatedStateFile.h"

#include <BinaryFile.h>
#include <Unicode.h>

#include <algorithm>
#include <system_error>

namespace kestrel {

std::optional<ConfigImage> SimulatedStateFile::loadOrCreate(const std::filesystem::path& file,
                                                            const ConfigImage& initial, std::string& error)
{
    // One byte more than an image tells an oversized file from a correct one.
    const BinaryFile::ReadResult contents = BinaryFile::read(file, ConfigImage::kSize + 1);
    // Only a missing file is created: the read says so more surely than an
    // existence test, which may fail where the read works (a long path on
    // Windows), and a file that is there is never replaced by a fresh image.
    if (contents.error == std::errc::no_such_file_or_directory) {
        if (save(file, initial)) {
            error = "cannot create the simulated mouse file " + unicode::utf8FromPath(file);
            return std::nullopt;
        }
        return initial;
    }
    if (contents.error) {
        error = "cannot read the simulated mouse file " + unicode::utf8FromPath(file);
        return std::nullopt;
    }
    if (contents.bytes.size() != ConfigImage::kSize) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(file, ec);
        error = "the simulated mouse file " + unicode::utf8FromPath(file) + " must hold exactly "
            + std::to_string(ConfigImage::kSize) + " bytes"
            + (ec ? std::string(" (cannot read its size)") : " (it holds " + std::to_string(size) + ")");
        return std::nullopt;
    }
    ConfigImage image;
    std::ranges::copy(contents.bytes, image.bytes().begin());
    return image;
}

std::error_code SimulatedStateFile::save(const std::filesystem::path& file, const ConfigImage& image)
{
    return BinaryFile::replace(file, image.bytes());
}

} // namespace kestrel
