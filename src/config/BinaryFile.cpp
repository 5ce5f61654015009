#include "BinaryFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

namespace kestrel {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The C library opens wide paths only through its own entry point on Windows.
FilePtr openFile(const std::filesystem::path& path, bool forWriting)
{
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
    return FilePtr(std::fopen(path.c_str(), forWriting ? "wb" : "rb"));
#endif
}

std::error_code lastError()
{
    const int code = errno;
    return code != 0 ? std::error_code(code, std::generic_category()) : std::make_error_code(std::errc::io_error);
}

bool isReadOnly(const std::filesystem::file_status& status)
{
    using std::filesystem::perms;
    return std::filesystem::exists(status) && (status.permissions() & perms::owner_write) == perms::none;
}

std::error_code writeAndClose(FilePtr file, std::span<const std::uint8_t> contents)
{
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file.get()) == contents.size()
        && std::fflush(file.get()) == 0;
    const std::error_code writeError = written ? std::error_code() : lastError();
    // Closing can report a deferred write error of its own.
    errno = 0;
    if (std::fclose(file.release()) != 0 && !writeError) return lastError();
    return writeError;
}

// Writes the temporary file that the caller renames into place. Whatever
// stands at that path and cannot be opened (say, a folder) is left alone.
std::error_code writeTemporary(const std::filesystem::path& temporary, std::span<const std::uint8_t> contents)
{
    errno = 0;
    FilePtr file = openFile(temporary, true);
    if (!file) return lastError();
    const std::error_code error = writeAndClose(std::move(file), contents);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return error;
}

} // namespace

BinaryFile::ReadResult BinaryFile::read(const std::filesystem::path& path, std::size_t maxBytes)
{
    ReadResult result;
    errno = 0;
    const FilePtr file = openFile(path, false);
    if (!file) {
        result.error = lastError();
        return result;
    }
    std::array<std::uint8_t, 65536> chunk{};
    while (result.bytes.size() < maxBytes) {
        const std::size_t wanted = std::min(chunk.size(), maxBytes - result.bytes.size());
        const std::size_t got = std::fread(chunk.data(), 1, wanted, file.get());
        result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < wanted) break;
    }
    if (std::ferror(file.get())) result.error = lastError();
    return result;
}

std::error_code BinaryFile::replace(const std::filesystem::path& path, std::span<const std::uint8_t> contents)
{
    // Replace the file a symbolic link points to, not the link itself. A
    // missing file is no error here: it is about to be created.
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, error)) {
        target = std::filesystem::weakly_canonical(path, error);
        if (error) return error;
    }

    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (isReadOnly(status)) return std::make_error_code(std::errc::permission_denied);

    const std::filesystem::path temporary = temporaryPathFor(target);
    if (const std::error_code writeError = writeTemporary(temporary, contents)) return writeError;
    if (std::filesystem::exists(status)) std::filesystem::permissions(temporary, status.permissions(), error);
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return error;
}

std::filesystem::path BinaryFile::temporaryPathFor(const std::filesystem::path& path)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    return temporary;
}

} // namespace kestrel
