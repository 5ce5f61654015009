#include "BinaryFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {

namespace {

namespace fs = std::filesystem;

// What the platform says about the call that just failed, read before
// anything else can overwrite it.
std::error_code lastSystemError()
{
#ifdef _WIN32
    const DWORD code = GetLastError();
    return code != 0 ? std::error_code(static_cast<int>(code), std::system_category())
                     : std::make_error_code(std::errc::io_error);
#else
    const int code = errno;
    return code != 0 ? std::error_code(code, std::generic_category()) : std::make_error_code(std::errc::io_error);
#endif
}

#ifdef _WIN32

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

FileHandle adopt(HANDLE handle)
{
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::error_code writeAll(HANDLE file, std::span<const std::uint8_t> contents)
{
    while (!contents.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 20));
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0)
            return lastSystemError();
        contents = contents.subspan(written);
    }
    if (!FlushFileBuffers(file))
        return lastSystemError();
    return {};
}

// "Not found" keeps its portable meaning, and its number (2) on both systems.
std::error_code openFailure()
{
    const std::error_code error = lastSystemError();
    if (error.value() == ERROR_FILE_NOT_FOUND || error.value() == ERROR_PATH_NOT_FOUND)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    return error;
}

BinaryFile::ReadResult readWhole(const fs::path& path, std::size_t maxBytes)
{
    BinaryFile::ReadResult result;
    const FileHandle file = adopt(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        result.error = openFailure();
        return result;
    }
    std::array<std::uint8_t, 65536> chunk{};
    while (result.bytes.size() < maxBytes) {
        const DWORD wanted = static_cast<DWORD>(std::min(chunk.size(), maxBytes - result.bytes.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), wanted, &got, nullptr)) {
            result.error = lastSystemError();
            break;
        }
        result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.begin() + got);
        if (got == 0)
            break;
    }
    return result;
}

bool mayWrite(const fs::path& path, std::error_code& error)
{
    const FileHandle file = adopt(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        error = lastSystemError();
    return file != nullptr;
}

bool isRefusal(const std::error_code& error)
{
    return error.value() == ERROR_ACCESS_DENIED;
}

std::error_code writeInPlace(const fs::path& path, std::span<const std::uint8_t> contents)
{
    const FileHandle file = adopt(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return lastSystemError();
    return writeAll(file.get(), contents);
}

// Writes the new contents to a file that did not exist before; its path on success.
std::error_code writeTemporaryBeside(const fs::path& target, std::span<const std::uint8_t> contents,
                                     fs::path& temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target.parent_path()
            / (L"." + target.filename().wstring() + L"." + std::to_wstring(random()) + std::to_wstring(random()));
        const FileHandle file = adopt(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const std::error_code error = lastSystemError();
            if (error.value() == ERROR_FILE_EXISTS)
                continue;
            return error;
        }
        if (const std::error_code error = writeAll(file.get(), contents)) {
            DeleteFileW(temporary.c_str());
            return error;
        }
        return {};
    }
    return std::make_error_code(std::errc::file_exists);
}

std::error_code moveOver(const fs::path& temporary, const fs::path& target, const fs::file_status&)
{
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const std::error_code error = lastSystemError();
    DeleteFileW(temporary.c_str());
    return error;
}

#else

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

BinaryFile::ReadResult readWhole(const fs::path& path, std::size_t maxBytes)
{
    BinaryFile::ReadResult result;
    errno = 0;
    const FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.error = lastSystemError();
        return result;
    }
    std::array<std::uint8_t, 65536> chunk{};
    while (result.bytes.size() < maxBytes) {
        const std::size_t wanted = std::min(chunk.size(), maxBytes - result.bytes.size());
        const std::size_t got = std::fread(chunk.data(), 1, wanted, file.get());
        result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (got < wanted)
            break;
    }
    if (std::ferror(file.get()))
        result.error = lastSystemError();
    return result;
}

struct Descriptor {
    explicit Descriptor(int fd)
        : fd(fd)
    {
    }
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    // Closing can report a deferred write error of its own.
    std::error_code close()
    {
        const int result = ::close(std::exchange(fd, -1));
        return result == 0 ? std::error_code() : lastSystemError();
    }
    int fd;
};

std::error_code writeAll(int fd, std::span<const std::uint8_t> contents)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return lastSystemError();
        contents = contents.subspan(static_cast<std::size_t>(written));
    }
    if (::fsync(fd) != 0)
        return lastSystemError();
    return {};
}

// Asks the system itself, which knows about root, groups, access lists and
// read-only mounts.
bool mayWrite(const fs::path& path, std::error_code& error)
{
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return true;
    error = lastSystemError();
    return false;
}

bool isRefusal(const std::error_code& error)
{
    return error.value() == EACCES || error.value() == EPERM;
}

std::error_code writeInPlace(const fs::path& path, std::span<const std::uint8_t> contents)
{
    Descriptor file(::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC));
    if (file.fd < 0)
        return lastSystemError();
    if (const std::error_code error = writeAll(file.fd, contents))
        return error;
    return file.close();
}

mode_t modeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::error_code writeTemporaryBeside(const fs::path& target, std::span<const std::uint8_t> contents,
                                     fs::path& temporary)
{
    // mkstemp opens with O_CREAT | O_EXCL under a random name, mode 0600.
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor file(::mkstemp(pattern.data()));
    if (file.fd < 0)
        return lastSystemError();
    temporary = pattern;
    std::error_code error = writeAll(file.fd, contents);
    if (!error)
        error = file.close();
    if (error)
        ::unlink(temporary.c_str());
    return error;
}

std::error_code moveOver(const fs::path& temporary, const fs::path& target, const fs::file_status& old)
{
    const mode_t mode = fs::exists(old) ? static_cast<mode_t>(old.permissions()) & 07777 : modeForNewFile();
    if (::chmod(temporary.c_str(), mode) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::error_code error = lastSystemError();
        ::unlink(temporary.c_str());
        return error;
    }
    return {};
}

#endif

} // namespace

BinaryFile::ReadResult BinaryFile::read(const fs::path& path, std::size_t maxBytes)
{
    return readWhole(path, maxBytes);
}

std::error_code BinaryFile::replace(const fs::path& path, std::span<const std::uint8_t> contents)
{
    std::error_code error;
    fs::path target = path;
    if (fs::is_symlink(path, error)) {
        target = fs::weakly_canonical(path, error);
        if (error)
            return error;
    }
    // A missing file is no error here: it is about to be created.
    const fs::file_status old = fs::status(target, error);
    const bool exists = fs::exists(old);
    if (exists && !fs::is_directory(old) && !mayWrite(target, error))
        return error;

    fs::path temporary;
    error = writeTemporaryBeside(target, contents, temporary);
    if (!error)
        return moveOver(temporary, target, old);
    // The folder takes no new file, but the file itself may be written.
    if (exists && fs::is_regular_file(old) && isRefusal(error))
        return writeInPlace(target, contents);
    return error;
}

} // namespace kestrel
