#pragma once

#include "app/NoticeBanner.h"
#include "app/NoticePresenter.h"
#include "app/TrayAvailability.h"
#include "app/TrayIcon.h"

#include <QIcon>
#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>

namespace kestrel {

// How the program stays reachable. With a notification area it lives there:
// the window starts hidden, has no task-bar entry, hiding hides it and notices
// are balloons of its icon. Without one the window would be unreachable, so
// it is shown once start-up has run, keeps a task-bar entry, hiding minimises
// it and notices appear inside it. A notification area that comes after
// start-up takes the program in, and the window it stood in for goes back to
// hidden; one that goes away leaves the window standing in for it again.
class NotificationArea final : public QObject {
    Q_OBJECT

public:
    enum class Mode {
        Undecided,
        Tray,
        NoNotificationArea,
    };

    static Qt::WindowFlags windowFlags(Mode mode);

    NotificationArea(QWidget& window, NoticePresenter& presenter, std::function<bool()> trayProbe);

    // Adds the icon, or starts finding out whether there is anywhere to add it.
    void addIcon(const QIcon& icon, const QString& exitText);
    // Start-up has run, to its end or to where it stopped: notices may show now.
    void startupFinished();
    void setExitText(const QString& text);
    void hideWindow();
    void removeIcon();

    Mode mode() const { return mode_; }
    TrayIcon* trayIcon() { return trayIcon_.get(); }
    NoticeBanner& banner() { return banner_; }
    TrayAvailability& availability() { return availability_; }

signals:
    void showRequested();
    void exitRequested();
    // The window stands in for a notification area that went away.
    void fallbackShown();

private:
    void decide(bool available);
    void addTrayIcon();
    void settleWhenReady();
    void showBalloonsWhenPlaced();

    QWidget& window_;
    NoticePresenter& presenter_;
    TrayAvailability availability_;
    NoticeBanner banner_;
    std::unique_ptr<TrayIcon> trayIcon_;
    QIcon icon_;
    QString exitText_;
    Mode mode_ = Mode::Undecided;
    bool startupFinished_ = false;
};

} // namespace kestrel
