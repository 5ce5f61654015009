#include "platform/linux/SingleInstance.h"

#include "app/endpoint/AbstractSocket.h"

#include <cerrno>
#include <thread>
#include <utility>

#include <unistd.h>

namespace kestrel {

namespace {

constexpr std::chrono::milliseconds kRetryPause{10};

} // namespace

SingleInstance::SingleInstance(std::string socketName)
    : socketName_(std::move(socketName))
{
}

SingleInstance::~SingleInstance()
{
    if (listeningFd_ >= 0)
        ::close(listeningFd_);
}

SingleInstance::Outcome SingleInstance::acquire()
{
    // A copy listens right after it binds, so a refused connection means a
    // copy that is starting or ending this very moment: the name is tried
    // again. One held without ever being listened on is no copy of ours.
    for (auto waited = std::chrono::milliseconds(0); waited <= kHolderStartTime; waited += kRetryPause) {
        listeningFd_ = AbstractSocket::listenOn(socketName_, kBacklog);
        if (listeningFd_ >= 0)
            return Outcome::Acquired;
        if (errno != EADDRINUSE)
            return Outcome::Unavailable;
        if (const auto holder = askHolder())
            return *holder;
        std::this_thread::sleep_for(kRetryPause);
    }
    return Outcome::Unavailable;
}

std::optional<SingleInstance::Outcome> SingleInstance::askHolder() const
{
    const int fd = AbstractSocket::connectTo(socketName_);
    if (fd < 0) {
        if (errno == ECONNREFUSED)
            return std::nullopt;
        // A full queue: a copy that is busy starting holds the name.
        return errno == EAGAIN ? Outcome::HeldByAnotherCopy : Outcome::Unavailable;
    }
    // Anyone may bind a name in the abstract namespace: only a process of this
    // user counts as another copy.
    const auto holder = AbstractSocket::peerUserId(fd);
    ::close(fd);
    return holder == AbstractSocket::ownUserId() ? Outcome::HeldByAnotherCopy : Outcome::Unavailable;
}

int SingleInstance::takeListeningSocket()
{
    return std::exchange(listeningFd_, -1);
}

} // namespace kestrel
