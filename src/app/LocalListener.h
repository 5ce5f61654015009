#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <filesystem>
#include <memory>
#include <string>

namespace kestrel {

// A listening local (Unix domain) stream socket that hands on each accepted
// connection's descriptor. Unlike QLocalServer it never closes itself when an
// accept fails: when the process is out of descriptors the waiting connection
// is turned away through a descriptor kept in reserve, so the listener stays
// open and does not spin on the same failure.
class LocalListener final : public QObject {
    Q_OBJECT

public:
    explicit LocalListener(QObject* parent = nullptr);
    ~LocalListener() override;

    // Replaces a socket file left behind and listens on it, open to this user only.
    bool listen(const std::filesystem::path& socketFile);

signals:
    // The receiver owns the descriptor.
    void accepted(int descriptor);

private:
    void acceptPending();
    void turnAwayOne();
    void close();

    std::string boundPath_;
    int listenFd_ = -1;
    int reserveFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace kestrel
