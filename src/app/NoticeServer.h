#pragma once

#include "LocalListener.h"
#include "NoticeEndpoint.h"

#include <QObject>

#include <chrono>
#include <filesystem>

class QLocalSocket;

namespace kestrel {

// Accepts notices from local programs of the same user (for example
// "kestrelctl notify") on the socket named after the program's mutex. Each
// line received is one notice; lines that are not two numbers are dropped.
// A misbehaving sender cannot wear the server down: connections beyond a
// small number are turned away, and one that sends a line longer than a
// notice or leaves a line unfinished for `lineTimeout` is closed.
class NoticeServer final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxConnections = 8;
    static constexpr std::chrono::milliseconds kLineTimeout{1000};

    explicit NoticeServer(QObject* parent = nullptr, std::chrono::milliseconds lineTimeout = kLineTimeout);

    // Listens on the socket file, replacing one left behind by a copy that
    // ended without removing it; only call this while holding the single-instance lock.
    bool listen(const std::filesystem::path& socketFile);

    int connectionCount() const { return connections_; }

signals:
    void noticeReceived(kestrel::Notice notice);

private:
    void takeConnection(int descriptor);
    void readLines(QLocalSocket* socket);

    LocalListener listener_;
    std::chrono::milliseconds lineTimeout_;
    int connections_ = 0;
};

} // namespace kestrel
