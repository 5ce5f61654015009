#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace kestrel {

// Finds out whether the desktop has a notification area. A desktop that is
// still starting may bring its notification area up a little after the
// program, so a "no" is asked again for a few seconds before it counts.
class TrayAvailability final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kRecheckInterval{250};
    static constexpr int kRecheckCount = 12;

    // `probe` asks the platform; the program passes QSystemTrayIcon::isSystemTrayAvailable.
    explicit TrayAvailability(std::function<bool()> probe, QObject* parent = nullptr);

    // Asks now: decides at once on a "yes", otherwise starts asking again.
    void start();
    // One more question, as the timer asks it.
    void recheck();
    bool isDeciding() const { return timer_.isActive(); }

signals:
    void decided(bool available);

private:
    std::function<bool()> probe_;
    QTimer timer_;
    int rechecksLeft_ = 0;
};

} // namespace kestrel
