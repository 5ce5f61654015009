// The notice server's listening side where local programs talk through Unix
// sockets: the single-instance lock's own socket, or a name of its own.
#include "app/NoticeServer.h"

#include <QLocalSocket>

#include <unistd.h>

namespace kestrel {

NoticeServer::NoticeServer(QObject* parent, std::chrono::milliseconds lineTimeout)
    : QObject(parent)
    , lineTimeout_(lineTimeout)
{
    connect(&listener_, &LocalListener::accepted, this, &NoticeServer::takeDescriptor);
}

bool NoticeServer::takeOver(InstanceLock& lock, std::string_view)
{
    return adopt(lock.takeListeningSocket());
}

bool NoticeServer::listen(std::string_view socketName)
{
    return listener_.listen(socketName);
}

bool NoticeServer::adopt(int listeningFd)
{
    return listener_.adopt(listeningFd);
}

void NoticeServer::takeDescriptor(int descriptor)
{
    auto* socket = new QLocalSocket;
    if (!socket->setSocketDescriptor(descriptor, QLocalSocket::ConnectedState, QIODevice::ReadOnly)) {
        ::close(descriptor);
        delete socket;
        return;
    }
    takeConnection(socket);
}

} // namespace kestrel
