#include "app/endpoint/AbstractSocket.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <utility>

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace kestrel {

namespace {

// The address of an abstract name: a leading zero byte, then the name, and
// a length that ends with the name (the rest of sun_path is not part of it).
struct Address {
    sockaddr_un address{};
    socklen_t length = 0;
};

std::optional<Address> addressOf(std::string_view name)
{
    Address result;
    result.address.sun_family = AF_UNIX;
    if (name.empty() || name.size() + 1 > sizeof result.address.sun_path)
        return std::nullopt;
    std::memcpy(result.address.sun_path + 1, name.data(), name.size());
    result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return result;
}

// Closes a descriptor unless it is handed on.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

} // namespace

int AbstractSocket::listenOn(std::string_view name, int backlog)
{
    const auto address = addressOf(name);
    if (!address) {
        errno = ENAMETOOLONG;
        return -1;
    }
    Descriptor fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (fd.get() < 0)
        return -1;
    if (bind(fd.get(), reinterpret_cast<const sockaddr*>(&address->address), address->length) != 0
        || ::listen(fd.get(), backlog) != 0)
        return -1;
    return fd.release();
}

int AbstractSocket::connectTo(std::string_view name, int sendTimeoutSeconds)
{
    const auto address = addressOf(name);
    if (!address) {
        errno = ENAMETOOLONG;
        return -1;
    }
    Descriptor fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return -1;
    // A holder that is busy starting may not accept yet; its queue is not waited on for ever.
    const timeval timeout{sendTimeoutSeconds, 0};
    setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (connect(fd.get(), reinterpret_cast<const sockaddr*>(&address->address), address->length) != 0)
        return -1;
    return fd.release();
}

std::optional<unsigned> AbstractSocket::peerUserId(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || length != sizeof credentials)
        return std::nullopt;
    return static_cast<unsigned>(credentials.uid);
}

unsigned AbstractSocket::ownUserId()
{
    return static_cast<unsigned>(getuid());
}

std::string AbstractSocket::sendLine(std::string_view name, std::string_view line, bool* nobodyListens)
{
    if (nobodyListens)
        *nobodyListens = false;
    const Descriptor fd(connectTo(name));
    if (fd.get() < 0) {
        if (errno == ECONNREFUSED) {
            if (nobodyListens)
                *nobodyListens = true;
            return "nothing listens on @" + std::string(name);
        }
        return "cannot reach @" + std::string(name) + ": " + std::strerror(errno);
    }
    // Anyone may bind an abstract name; only a process of this user is told anything.
    if (peerUserId(fd.get()) != ownUserId())
        return "@" + std::string(name) + " is held by another user's process";
    // A line this short goes out in one piece; a holder that vanished must not kill us with SIGPIPE.
    if (::send(fd.get(), line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
        return "the line did not reach @" + std::string(name) + ": " + std::strerror(errno);
    return {};
}

} // namespace kestrel
