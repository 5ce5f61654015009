#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace kestrel {

// Finds out whether the desktop has a notification area, and keeps watching.
// A desktop that is still starting may bring its notification area up a
// little after the program, so a first "no" is asked again for a few seconds
// before it counts. After that the area may still come (a panel started
// late) or go (a panel restarted), so it is asked again now and then and a
// changed answer is announced.
class TrayAvailability final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kRecheckInterval{250};
    static constexpr int kRecheckCount = 12;
    static constexpr std::chrono::milliseconds kWatchInterval{1000};

    // `probe` asks the platform; the program passes QSystemTrayIcon::isSystemTrayAvailable.
    explicit TrayAvailability(std::function<bool()> probe, QObject* parent = nullptr);

    // Asks now: decides at once on a "yes", otherwise starts asking again.
    void start();
    // One more question, as the timer asks it.
    void recheck();
    // Still within the first few seconds' re-checks.
    bool isDeciding() const { return deciding_; }

signals:
    // The first answer, and then every answer that differs from the one before.
    void decided(bool available);

private:
    void settle(bool available);

    std::function<bool()> probe_;
    QTimer timer_;
    int rechecksLeft_ = 0;
    bool deciding_ = false;
    bool available_ = false;
};

} // namespace kestrel
