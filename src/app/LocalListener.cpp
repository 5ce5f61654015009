#include "app/LocalListener.h"

#include "app/endpoint/AbstractSocket.h"

#include <QTimer>

#include <cerrno>

#include <fcntl.h>
#include <sys/socket.h>
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

bool LocalListener::listen(std::string_view name)
{
    return adopt(AbstractSocket::listenOn(name, kBacklog));
}

bool LocalListener::adopt(int listeningFd)
{
    close();
    if (listeningFd < 0)
        return false;
    listenFd_ = listeningFd;
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
            if (AbstractSocket::peerUserId(fd) == AbstractSocket::ownUserId())
                emit accepted(fd);
            else
                ::close(fd);
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
    for (int* fd : {&listenFd_, &reserveFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

} // namespace kestrel
