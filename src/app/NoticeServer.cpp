#include "NoticeServer.h"

#include "PathText.h"

#include <QLocalSocket>

namespace kestrel {

NoticeServer::NoticeServer(QObject* parent)
    : QObject(parent)
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &NoticeServer::acceptConnections);
}

bool NoticeServer::listen(const std::filesystem::path& socketFile)
{
    const QString name = toQString(socketFile);
    QLocalServer::removeServer(name);
    return server_.listen(name);
}

void NoticeServer::acceptConnections()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readLines(socket);
    }
}

void NoticeServer::readLines(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine().trimmed();
        if (line.size() > static_cast<qsizetype>(NoticeEndpoint::kMaxLineLength))
            continue;
        if (const auto notice = NoticeEndpoint::decode(line.toStdString()))
            emit noticeReceived(*notice);
    }
    // A sender that never ends its line gets no more room than one line.
    if (socket->bytesAvailable() > static_cast<qint64>(NoticeEndpoint::kMaxLineLength))
        socket->abort();
}

} // namespace kestrel
