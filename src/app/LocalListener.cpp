#include "LocalListener.h"

#include <QTimer>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kestrel {

namespace {

constexpr int kBacklog = 16;
constexpr std::chrono::milliseconds kRetryAfterFailure{100};

} // namespace

LocalListener::LocalListener(QObject* parent)
    : QObject(parent)
{
}

LocalListener::~LocalListener()
{
    close();
}

bool LocalListener::listen(const std::filesystem::path& socketFile)
{
    close();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socketFile.string();
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0)
        return false;
    ::unlink(path.c_str());
    if (bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close();
        return false;
    }
    boundPath_ = path;
    if (::chmod(path.c_str(), 0600) != 0 || ::listen(listenFd_, kBacklog) != 0) {
        close();
        return false;
    }
    reserveFd_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    notifier_ = std::make_unique<QSocketNotifier>(listenFd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &LocalListener::acceptPending);
    return true;
}

void LocalListener::acceptPending()
{
    for (;;) {
        const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            emit accepted(fd);
            continue;
        }
        if (errno == EMFILE || errno == ENFILE)
            turnAwayOne();
        // EAGAIN: nothing more waits; anything else passes with the connection it concerned.
        return;
    }
}

void LocalListener::turnAwayOne()
{
    if (reserveFd_ < 0) {
        // Nothing to turn it away with: look again once descriptors may have been freed.
        notifier_->setEnabled(false);
        QTimer::singleShot(kRetryAfterFailure, this, [this] {
            if (notifier_)
                notifier_->setEnabled(true);
        });
        return;
    }
    ::close(reserveFd_);
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0)
        ::close(fd);
    reserveFd_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
}

void LocalListener::close()
{
    notifier_.reset();
    if (!boundPath_.empty())
        ::unlink(boundPath_.c_str());
    boundPath_.clear();
    for (int* fd : {&listenFd_, &reserveFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

} // namespace kestrel
