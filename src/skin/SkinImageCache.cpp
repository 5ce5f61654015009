#include "skin/SkinImageCache.h"

#include "skin/SkinImage.h"

#include <QFile>

#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kestrel {

std::optional<QImage> SkinImageCache::image(const QString& path)
{
    const std::optional<FileStamp> stamp = stampOf(path);
    const auto found = entries_.find(path);
    if (stamp && found != entries_.end() && found->stamp == *stamp) {
        found->lastUse = ++useClock_;
        return found->image;
    }
    forget(path);
    if (!stamp)
        return std::nullopt;
    ++decodeCount_;
    std::optional<QImage> decoded = decodeSkinImage(path);
    if (decoded && !isRacy(*stamp))
        keep(path, *stamp, *decoded);
    return decoded;
}

void SkinImageCache::clear()
{
    entries_.clear();
    byteCount_ = 0;
}

std::optional<SkinImageCache::FileStamp> SkinImageCache::stampOf(const QString& path)
{
    // Only the file's status: a pipe is never opened here, so never waited on.
#ifdef _WIN32
    const std::filesystem::path file(path.toStdU16String());
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return std::nullopt;
    const std::filesystem::file_time_type modified = std::filesystem::last_write_time(file, error);
    if (error)
        return std::nullopt;
    return FileStamp{modified, size};
#else
    // One stat() per draw: the three separate std::filesystem queries cost
    // a third of a whole page composition.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    const std::chrono::sys_time<std::chrono::nanoseconds> modified{std::chrono::seconds(status.st_mtim.tv_sec)
                                                                   + std::chrono::nanoseconds(status.st_mtim.tv_nsec)};
    return FileStamp{std::chrono::file_clock::from_sys(modified), static_cast<std::uintmax_t>(status.st_size)};
#endif
}

bool SkinImageCache::isRacy(const FileStamp& stamp)
{
    return stamp.modified > std::filesystem::file_time_type::clock::now() - kRacyWindow;
}

void SkinImageCache::keep(const QString& path, const FileStamp& stamp, const QImage& image)
{
    const std::size_t bytes = bytesOf(image);
    if (bytes > byteBudget_)
        return;
    entries_.insert(path, Entry{stamp, image, ++useClock_});
    byteCount_ += bytes;
    while (byteCount_ > byteBudget_)
        evictLeastRecentlyUsed();
}

void SkinImageCache::forget(const QString& path)
{
    const auto found = entries_.find(path);
    if (found == entries_.end())
        return;
    byteCount_ -= bytesOf(found->image);
    entries_.erase(found);
}

void SkinImageCache::evictLeastRecentlyUsed()
{
    auto oldest = entries_.begin();
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
        if (entry->lastUse < oldest->lastUse)
            oldest = entry;
    }
    byteCount_ -= bytesOf(oldest->image);
    entries_.erase(oldest);
}

} // namespace kestrel
