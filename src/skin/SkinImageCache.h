#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace kestrel {

// Decoded skin images by path, so that drawing the same file again decodes
// nothing. An entry holds while the file keeps its modification time and
// size: an edited file is decoded again at its next draw. A file modified
// within the last kRacyWindow is decoded on every draw, because a second
// edit inside the file system's timestamp granularity would keep both
// stamps. Failures are never kept, so each failed draw still reads the file.
// The decoded pixels are bounded by a byte budget; the least recently drawn
// images make room first.
class SkinImageCache {
public:
    static constexpr std::size_t kDefaultByteBudget = std::size_t{64} << 20;
    static constexpr std::chrono::seconds kRacyWindow{2};

    explicit SkinImageCache(std::size_t byteBudget = kDefaultByteBudget) : byteBudget_(byteBudget) {}

    // The image as decodeSkinImage() gives it; nullopt when the file is
    // missing, no regular file, oversized or undecodable.
    std::optional<QImage> image(const QString& path);
    // Forgets every image, as a skin change needs.
    void clear();

    std::size_t decodeCount() const { return decodeCount_; }
    std::size_t imageCount() const { return static_cast<std::size_t>(entries_.size()); }
    std::size_t byteCount() const { return byteCount_; }

private:
    // What identifies one version of a file without opening it.
    struct FileStamp {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        FileStamp stamp;
        QImage image;
        std::uint64_t lastUse = 0;
    };

    static std::optional<FileStamp> stampOf(const QString& path);
    static bool isRacy(const FileStamp& stamp);
    static std::size_t bytesOf(const QImage& image) { return static_cast<std::size_t>(image.sizeInBytes()); }

    void keep(const QString& path, const FileStamp& stamp, const QImage& image);
    void forget(const QString& path);
    void evictLeastRecentlyUsed();

    std::size_t byteBudget_;
    QHash<QString, Entry> entries_;
    std::size_t byteCount_ = 0;
    std::size_t decodeCount_ = 0;
    std::uint64_t useClock_ = 0;
};

} // namespace kestrel
