#include "NotifyCommand.h"

#include "ExitCode.h"

#include <utility>

#if !defined(_WIN32)
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace kestrel::ctl {

namespace {

#if !defined(_WIN32)
// Closes the socket whichever way sending ends.
class SocketHandle {
public:
    SocketHandle() : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
    ~SocketHandle()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;

    int fd() const { return fd_; }

private:
    int fd_;
};

std::string noCopyRuns(const std::filesystem::path& socketFile)
{
    return "no running copy of kestrel to notify (nothing listens on " + socketFile.string() + ")";
}
#endif

} // namespace

NotifyCommand::NotifyCommand(std::ostream& err, std::filesystem::path runtimeFolder)
    : err_(err)
    , runtimeFolder_(std::move(runtimeFolder))
{
}

int NotifyCommand::run(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2) {
        err_ << "kestrelctl: notify takes 2 arguments: KIND VALUE\n";
        return kUsageError;
    }
    const auto kind = NoticeEndpoint::parseNumber(arguments[0]);
    const auto value = NoticeEndpoint::parseNumber(arguments[1]);
    if (!kind || !value) {
        err_ << "kestrelctl: notify: KIND and VALUE must be whole numbers\n";
        return kUsageError;
    }
    const std::string error = send(Notice{*kind, *value});
    if (!error.empty()) {
        err_ << "kestrelctl: " << error << '\n';
        return kFailure;
    }
    return kSuccess;
}

#if defined(_WIN32)
std::string NotifyCommand::send(Notice) const
{
    return "notify is not supported on Windows";
}
#else
std::string NotifyCommand::send(Notice notice) const
{
    const std::filesystem::path socketFile = NoticeEndpoint::socketFile(runtimeFolder_);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socketFile.string();
    if (path.size() >= sizeof address.sun_path)
        return "the socket path is too long: " + path;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const SocketHandle handle;
    if (handle.fd() < 0)
        return std::string("cannot make a socket: ") + std::strerror(errno);
    if (connect(handle.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ENOENT || errno == ECONNREFUSED)
            return noCopyRuns(socketFile);
        return "cannot reach kestrel at " + path + ": " + std::strerror(errno);
    }
    const std::string line = NoticeEndpoint::encode(notice);
    // A line this short goes out in one piece; a copy that vanished must not kill us with SIGPIPE.
    if (::send(handle.fd(), line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
        return "the notice did not reach kestrel: " + std::string(std::strerror(errno));
    return {};
}
#endif

} // namespace kestrel::ctl
