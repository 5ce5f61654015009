#include "config/BinaryFile.h"

#include "config/LongPath.h"
#include "config/FileRefusal.h"
#include "config/StaleTemporaries.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
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

// How much the next read may take: up to one byte past the limit, which
// tells a file that is too large from one that is exactly full.
std::size_t roomForOneMore(const std::vector<std::uint8_t>& bytes, std::size_t maxBytes)
{
    const std::size_t left = maxBytes - bytes.size();
    return std::min(left, std::numeric_limits<std::size_t>::max() - 1) + 1;
}

// Adds a chunk; false, with nothing kept, once the file proved too large.
bool append(BinaryFile::ReadResult& result, std::span<const std::uint8_t> chunk, std::size_t maxBytes)
{
    result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.end());
    if (result.bytes.size() <= maxBytes)
        return true;
    result.bytes.clear();
    result.error = FileRefusal::TooLarge;
    return false;
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

// The path as the file calls take it: long ones with the extended-length
// prefix, which works whether or not the system has long paths enabled.
std::wstring systemPath(const fs::path& path)
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(size == 0 ? 0 : GetCurrentDirectoryW(size, folder.data()));
    return longpath::extendedLengthPath(path.native(), folder);
}

// "Not found" and "refused" keep their portable meanings, so that they read
// the same as on other systems; "not found" even has the same number (2).
std::error_code portableError(std::error_code error)
{
    if (error.category() != std::system_category())
        return error;
    switch (error.value()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    default:
        return error;
    }
}

std::error_code lastFileError()
{
    return portableError(lastSystemError());
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

// Only a file on disk is read: a pipe, console or other device could block
// for ever or never end.
bool isRegularFile(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION information{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &information)
        && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BinaryFile::ReadResult readWhole(const fs::path& path, std::size_t maxBytes)
{
    BinaryFile::ReadResult result;
    const FileHandle file = adopt(CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        result.error = lastFileError();
        return result;
    }
    if (!isRegularFile(file.get())) {
        result.error = FileRefusal::NotARegularFile;
        return result;
    }
    std::array<std::uint8_t, 65536> chunk{};
    for (;;) {
        const DWORD wanted = static_cast<DWORD>(std::min(chunk.size(), roomForOneMore(result.bytes, maxBytes)));
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), wanted, &got, nullptr)) {
            result.error = lastSystemError();
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            return result;
        if (!append(result, std::span(chunk).first(got), maxBytes))
            return result;
    }
}

// The file's attributes through the long-path-safe form of its name; the C
// runtime behind std::filesystem::status knows no extended-length paths.
fs::file_status fileStatus(const fs::path& path, std::error_code& error)
{
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = lastFileError();
        return fs::file_status(error == std::errc::no_such_file_or_directory ? fs::file_type::not_found
                                                                             : fs::file_type::unknown);
    }
    error.clear();
    const fs::perms readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return fs::file_status((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? fs::file_type::directory
                                                                        : fs::file_type::regular,
                           readOnly ? readable : readable | writable);
}

// A read-only file is refused as one without write permission is elsewhere,
// although the system would let its attribute be cleared.
bool mayWrite(const fs::path& path, std::error_code& error)
{
    const std::wstring name = systemPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        error = std::make_error_code(std::errc::permission_denied);
        return false;
    }
    const FileHandle file = adopt(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        error = lastFileError();
    return file != nullptr;
}

bool isRefusal(const std::error_code& error)
{
    return error == std::errc::permission_denied;
}

std::error_code writeInPlace(const fs::path& path, std::span<const std::uint8_t> contents)
{
    const FileHandle file = adopt(CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                              TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return lastFileError();
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
        const std::wstring name = systemPath(temporary);
        const FileHandle file = adopt(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const std::error_code error = lastSystemError();
            if (error.value() == ERROR_FILE_EXISTS)
                continue;
            return portableError(error);
        }
        if (const std::error_code error = writeAll(file.get(), contents)) {
            DeleteFileW(name.c_str());
            return error;
        }
        return {};
    }
    return std::make_error_code(std::errc::file_exists);
}

// Attributes a user may have set on the file; the new contents keep them.
// The archive attribute is not among them: changed contents always get it.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// ReplaceFileW gives the new contents the old file's identity: its access
// list (a renamed temporary file would carry the folder's), owner, creation
// time and attributes. The attributes are also set beforehand, as not every
// implementation of the call carries them.
std::error_code replaceExisting(const std::wstring& temporary, const std::wstring& target)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKeptAttributes) != 0)
        SetFileAttributesW(temporary.c_str(), (attributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
    if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
        return {};
    const std::error_code error = lastFileError();
    if (error.value() == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error.value() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file is gone from its name and the new contents still sit
        // under the temporary one: they are never deleted.
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        return error;
    }
    DeleteFileW(temporary.c_str());
    return error;
}

// The full form of a name. Not every implementation of ReplaceFileW finds
// the folder of a relative one (Wine's does not).
std::wstring fullPath(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

std::error_code moveOver(const fs::path& temporary, const fs::path& target, const fs::file_status& old)
{
    const std::wstring from = systemPath(temporary);
    const std::wstring to = systemPath(target);
    if (fs::exists(old))
        return replaceExisting(fullPath(from), fullPath(to));
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const std::error_code error = lastFileError();
    DeleteFileW(from.c_str());
    return error;
}

#else

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

BinaryFile::ReadResult readWhole(const fs::path& path, std::size_t maxBytes)
{
    BinaryFile::ReadResult result;
    // Without O_NONBLOCK, opening a FIFO would wait for a writer; it is
    // refused below like any other file that is not a regular one. A link is
    // followed: what counts is the file it leads to.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd < 0) {
        result.error = lastSystemError();
        return result;
    }
    // The descriptor's own status: the path may have been swapped since.
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) {
        result.error = lastSystemError();
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.error = FileRefusal::NotARegularFile;
        return result;
    }
    std::array<std::uint8_t, 65536> chunk{};
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk.data(), std::min(chunk.size(), roomForOneMore(result.bytes, maxBytes)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.error = lastSystemError();
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            return result;
        if (!append(result, std::span(chunk).first(static_cast<std::size_t>(got)), maxBytes))
            return result;
    }
}

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

fs::file_status fileStatus(const fs::path& path, std::error_code& error)
{
    return fs::status(path, error);
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
    const fs::file_status old = fileStatus(target, error);
    const bool exists = fs::exists(old);
    if (exists && !fs::is_directory(old) && !mayWrite(target, error))
        return error;

    StaleTemporaries::removeBeside(target);
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
