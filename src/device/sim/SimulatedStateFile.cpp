#include "device/sim/SimulatedStateFile.h"

#include "config/BinaryFile.h"
#include "config/FileRefusal.h"
#include "config/Unicode.h"

#include <algorithm>
#include <system_error>

namespace kestrel {

std::optional<ConfigImage> SimulatedStateFile::loadOrCreate(const std::filesystem::path& file,
                                                            const ConfigImage& initial, std::string& error)
{
    const BinaryFile::ReadResult contents = BinaryFile::read(file, ConfigImage::kSize);
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
    if (contents.error && contents.error != FileRefusal::TooLarge) {
        error = "cannot read the simulated mouse file " + unicode::utf8FromPath(file) + ": " + contents.error.message();
        return std::nullopt;
    }
    if (contents.bytes.size() != ConfigImage::kSize) {
        error = "the simulated mouse file " + unicode::utf8FromPath(file) + " must hold exactly "
            + std::to_string(ConfigImage::kSize) + " bytes (it holds "
            + (contents.error ? std::string("more") : std::to_string(contents.bytes.size())) + ")";
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
