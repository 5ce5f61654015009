#include "app/NotificationArea.h"

#include <utility>

namespace kestrel {

Qt::WindowFlags NotificationArea::windowFlags(Mode mode)
{
    // A tool window has no task-bar entry; the skin draws the whole frame.
    const Qt::WindowFlags kind = mode == Mode::NoNotificationArea ? Qt::Window : Qt::Tool;
    return kind | Qt::FramelessWindowHint;
}

NotificationArea::NotificationArea(QWidget& window, NoticePresenter& presenter, std::function<bool()> trayProbe)
    : window_(window)
    , presenter_(presenter)
    , availability_(std::move(trayProbe))
    , banner_(&window)
{
    connect(&availability_, &TrayAvailability::decided, this, &NotificationArea::decide);
}

void NotificationArea::addIcon(const QIcon& icon, const QString& exitText)
{
    icon_ = icon;
    exitText_ = exitText;
    availability_.start();
}

void NotificationArea::startupFinished()
{
    startupFinished_ = true;
    settleWhenReady();
}

void NotificationArea::setExitText(const QString& text)
{
    exitText_ = text;
    if (trayIcon_)
        trayIcon_->setExitText(text);
}

void NotificationArea::hideWindow()
{
    if (mode_ == Mode::NoNotificationArea)
        window_.showMinimized();
    else
        window_.hide();
}

void NotificationArea::removeIcon()
{
    // The program is ending: a notification area that comes now must not bring the icon back.
    disconnect(&availability_, nullptr, this, nullptr);
    if (trayIcon_)
        trayIcon_->remove();
}

void NotificationArea::decide(bool available)
{
    const Mode mode = available ? Mode::Tray : Mode::NoNotificationArea;
    if (mode == mode_)
        return;
    const bool firstDecision = mode_ == Mode::Undecided;
    mode_ = mode;
    // Notices wait until the new place for them is ready.
    presenter_.setDisplay(nullptr);
    if (available)
        addTrayIcon();
    else
        trayIcon_.reset();
    // Changing the flags hides the window: in the notification area it shows
    // on request, and it must not come back minimised from the task bar it left.
    window_.setWindowFlags(windowFlags(mode_));
    if (available)
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    settleWhenReady();
    if (!firstDecision && !available && startupFinished_)
        emit fallbackShown();
}

void NotificationArea::addTrayIcon()
{
    trayIcon_ = std::make_unique<TrayIcon>(icon_, exitText_);
    connect(trayIcon_.get(), &TrayIcon::showRequested, this, &NotificationArea::showRequested);
    connect(trayIcon_.get(), &TrayIcon::exitRequested, this, &NotificationArea::exitRequested);
    connect(trayIcon_.get(), &TrayIcon::placed, this, &NotificationArea::showBalloonsWhenPlaced);
}

void NotificationArea::settleWhenReady()
{
    if (!startupFinished_ || mode_ == Mode::Undecided)
        return;
    if (mode_ == Mode::Tray) {
        showBalloonsWhenPlaced();
        return;
    }
    window_.show();
    presenter_.setDisplay(&banner_);
}

void NotificationArea::showBalloonsWhenPlaced()
{
    if (startupFinished_ && mode_ == Mode::Tray && trayIcon_->isPlaced())
        presenter_.setDisplay(trayIcon_.get());
}

} // namespace kestrel
