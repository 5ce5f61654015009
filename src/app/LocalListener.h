#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>
#include <string_view>

namespace kestrel {

// A listening local (Unix domain) stream socket that hands on each accepted
// connection's descriptor. Only connections from processes of this user are
// handed on: a name in the abstract namespace is open to everyone. Unlike
// QLocalServer it never closes itself when an accept fails: when the process
// is out of descriptors the waiting connection is turned away through a
// descriptor kept in reserve, so the listener stays open and does not spin on
// the same failure.
class LocalListener final : public QObject {
    Q_OBJECT

public:
    explicit LocalListener(QObject* parent = nullptr);
    ~LocalListener() override;

    // Binds `name` in the abstract namespace and listens on it.
    bool listen(std::string_view name);
    // Takes over a socket that already listens; the listener owns it from now on.
    bool adopt(int listeningFd);

signals:
    // The receiver owns the descriptor.
    void accepted(int descriptor);

private:
    void acceptPending();
    void turnAwayOne();
    void close();

    int listenFd_ = -1;
    int reserveFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace kestrel
