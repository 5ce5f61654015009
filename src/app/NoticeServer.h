#pragma once

#include "app/endpoint/NoticeEndpoint.h"

#include "platform/InstanceLock.h"

#include <QObject>

#include <chrono>
#include <string_view>

#if defined(Q_OS_WIN)
#include <QLocalServer>
#else
#include "app/LocalListener.h"
#endif

class QLocalSocket;

namespace kestrel {

// Accepts notices from local programs of the same user (for example
// "kestrelctl notify") and show requests from a second copy started with
// "--show", on the socket (a named pipe on Windows) named after the
// program's mutex. Each line received is one notice or the word "show";
// other lines are dropped.
// A misbehaving sender cannot wear the server down: connections beyond a
// small number are turned away, and one that sends a line longer than a
// notice or leaves a line unfinished for `lineTimeout` is closed.
class NoticeServer final : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxConnections = 8;
    static constexpr std::chrono::milliseconds kLineTimeout{1000};

    explicit NoticeServer(QObject* parent = nullptr, std::chrono::milliseconds lineTimeout = kLineTimeout);

    // Answers where the holder of the single-instance rule is found: on the
    // lock's own socket where the lock is a socket, otherwise on `socketName`.
    bool takeOver(InstanceLock& lock, std::string_view socketName);
    // Listens on `socketName`, a name in the abstract namespace or a pipe's name.
    bool listen(std::string_view socketName);
#if !defined(Q_OS_WIN)
    // Answers on a socket that already listens (the single-instance socket).
    bool adopt(int listeningFd);
#endif

    int connectionCount() const { return connections_; }

signals:
    void noticeReceived(kestrel::Notice notice);
    void showRequested();

private:
    void takeConnection(QLocalSocket* socket);
    void readLines(QLocalSocket* socket);

#if defined(Q_OS_WIN)
    QLocalServer pipe_;
#else
    void takeDescriptor(int descriptor);

    LocalListener listener_;
#endif
    std::chrono::milliseconds lineTimeout_;
    int connections_ = 0;
};

} // namespace kestrel
