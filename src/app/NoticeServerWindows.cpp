// The notice server's listening side on Windows: the named mutex keeps the
// single-instance rule, so notices come through a named pipe that only this
// user may open.
#include "app/NoticeServer.h"

#include "app/LogCategories.h"

#include <QLocalSocket>

namespace kestrel {

NoticeServer::NoticeServer(QObject* parent, std::chrono::milliseconds lineTimeout)
    : QObject(parent)
    , lineTimeout_(lineTimeout)
{
    pipe_.setSocketOptions(QLocalServer::UserAccessOption);
    pipe_.setMaxPendingConnections(kMaxConnections);
    connect(&pipe_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = pipe_.nextPendingConnection())
            takeConnection(socket);
    });
}

bool NoticeServer::takeOver(InstanceLock&, std::string_view socketName)
{
    return listen(socketName);
}

bool NoticeServer::listen(std::string_view socketName)
{
    if (pipe_.listen(QString::fromStdString(std::string(socketName))))
        return true;
    qCWarning(lcApp) << "cannot listen for notices:" << pipe_.errorString();
    return false;
}

} // namespace kestrel
