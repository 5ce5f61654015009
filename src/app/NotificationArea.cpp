#include "NotificationArea.h"

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
    if (trayIcon_)
        trayIcon_->remove();
}

void NotificationArea::decide(bool available)
{
    mode_ = available ? Mode::Tray : Mode::NoNotificationArea;
    if (available) {
        trayIcon_ = std::make_unique<TrayIcon>(icon_, exitText_);
        connect(trayIcon_.get(), &TrayIcon::showRequested, this, &NotificationArea::showRequested);
        connect(trayIcon_.get(), &TrayIcon::exitRequested, this, &NotificationArea::exitRequested);
    } else {
        window_.setWindowFlags(windowFlags(mode_));
    }
    settleWhenReady();
}

void NotificationArea::settleWhenReady()
{
    if (!startupFinished_ || mode_ == Mode::Undecided)
        return;
    if (mode_ == Mode::Tray) {
        presenter_.setDisplay(trayIcon_.get());
        return;
    }
    window_.show();
    presenter_.setDisplay(&banner_);
}

} // namespace kestrel
