#include "app/NoticeServer.h"

#include <QLocalSocket>
#include <QTimer>

namespace kestrel {

void NoticeServer::takeConnection(QLocalSocket* socket)
{
    if (connections_ >= kMaxConnections) {
        delete socket;
        return;
    }
    socket->setParent(this);
    ++connections_;
    // Each line must be complete within the timeout, counted afresh after every line.
    auto* deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLines(socket); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        --connections_;
        socket->deleteLater();
    });
    deadline->start(lineTimeout_);
    readLines(socket);
}

void NoticeServer::readLines(QLocalSocket* socket)
{
    auto* deadline = socket->findChild<QTimer*>();
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        // A notice is short; a longer line is not a notice sender's doing.
        if (line.size() > static_cast<qsizetype>(NoticeEndpoint::kMaxLineLength)) {
            socket->abort();
            return;
        }
        deadline->start(lineTimeout_);
        const std::string text = line.trimmed().toStdString();
        if (NoticeEndpoint::isShowRequest(text))
            emit showRequested();
        else if (const auto notice = NoticeEndpoint::decode(text))
            emit noticeReceived(*notice);
    }
    if (socket->bytesAvailable() > static_cast<qint64>(NoticeEndpoint::kMaxLineLength))
        socket->abort();
}

} // namespace kestrel
