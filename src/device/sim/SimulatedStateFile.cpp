#include "SimulatedStateFile.h"

#include <fstream>
#include <system_error>

namespace kestrel {

std::optional<ConfigImage> SimulatedStateFile::loadOrCreate(const std::filesystem::path& file,
                                                            const ConfigImage& initial, std::string& error)
{
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        if (!save(file, initial)) {
            error = "cannot create the simulated mouse file " + file.string();
            return std::nullopt;
        }
        return initial;
    }
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size != ConfigImage::kSize) {
        error = "the simulated mouse file " + file.string() + " must hold exactly "
            + std::to_string(ConfigImage::kSize) + " bytes"
            + (ec ? std::string(" (cannot read its size)") : " (it holds " + std::to_string(size) + ")");
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    ConfigImage image;
    const auto bytes = image.bytes();
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        error = "cannot read the simulated mouse file " + file.string();
        return std::nullopt;
    }
    return image;
}

bool SimulatedStateFile::save(const std::filesystem::path& file, const ConfigImage& image)
{
    auto temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const auto bytes = image.bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out)
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, file, ec);
    return !ec;
}

} // namespace kestrel
