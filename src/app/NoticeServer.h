#pragma once

#include "app/LocalListener.h"
#include "app/endpoint/NoticeEndpoint.h"

#include <QObject>

#include <chrono>
#include <string_view>

class QLocalSocket;

namespace kestrel {

// Accepts notices from local programs of the same user (for example
// "kestrelctl notify") and show requests from a second copy started with
// "--show", on the socket named after the program's mutex. Each line received
// is one notice or the word "show"; other lines are dropped.
// A misbehaving sender cannot wear the server down: connections beyond a
// small number are turned away, and one that sends a line longer than a
// notice or leaves a line unfinished for `lineTimeout` is closed.
class NoticeServer final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxConnections = 8;
    static constexpr std::chrono::milliseconds kLineTimeout{1000};

    explicit NoticeServer(QObject* parent = nullptr, std::chrono::milliseconds lineTimeout = kLineTimeout);

    // Binds `socketName` in the abstract namespace and listens on it.
    bool listen(std::string_view socketName);
    // Answers on a socket that already listens (the single-instance socket).
    bool adopt(int listeningFd);

    int connectionCount() const { return connections_; }

signals:
    void noticeReceived(kestrel::Notice notice);
    void showRequested();

private:
    void takeConnection(int descriptor);
    void readLines(QLocalSocket* socket);

    LocalListener listener_;
    std::chrono::milliseconds lineTimeout_;
    int connections_ = 0;
};

} // namespace kestrel
