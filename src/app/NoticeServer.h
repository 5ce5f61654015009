#pragma once

#include "NoticeEndpoint.h"

#include <QByteArray>
#include <QLocalServer>
#include <QObject>

#include <filesystem>

class QLocalSocket;

namespace kestrel {

// Accepts notices from local programs of the same user (for example
// "kestrelctl notify") on the socket named after the program's mutex. Each
// line received is one notice; lines that are not two numbers are dropped.
class NoticeServer final : public QObject {
    Q_OBJECT

public:
    explicit NoticeServer(QObject* parent = nullptr);

    // Listens on the socket file, replacing one left behind by a copy that
    // ended without removing it; only call this while holding the single-instance lock.
    bool listen(const std::filesystem::path& socketFile);

signals:
    void noticeReceived(kestrel::Notice notice);

private:
    void acceptConnections();
    void readLines(QLocalSocket* socket);

    QLocalServer server_;
};

} // namespace kestrel
