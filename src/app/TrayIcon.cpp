#include "app/TrayIcon.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace kestrel {

TrayIcon::TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent)
    : QObject(parent)
    , exitAction_(menu_.addAction(exitText))
    , icon_(icon)
{
    icon_.setToolTip(QString::fromLatin1(kTip));
    icon_.setContextMenu(&menu_);
    menu_.installEventFilter(this);
    connect(exitAction_, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activate);
    icon_.show();
    watchForPlacement();
}

void TrayIcon::setExitText(const QString& text)
{
    exitAction_->setText(text);
}

void TrayIcon::showBalloon(const Balloon& balloon)
{
    lastBalloon_ = balloon;
    // The information icon for every notice, warnings included.
    icon_.showMessage(QString::fromStdString(balloon.title), QString::fromStdString(balloon.text),
                      QSystemTrayIcon::Information, shownMs(balloon));
}

void TrayIcon::remove()
{
    icon_.hide();
}

void TrayIcon::activate(QSystemTrayIcon::ActivationReason reason)
{
    // The context menu opens by itself on a right click; other buttons do nothing.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        emit showRequested();
}

TrayIcon::~TrayIcon()
{
    // The members go before the QObject base does, and the windows they
    // destroy still send events: the filter must not see them half gone.
    menu_.removeEventFilter(this);
    if (embeddedWindow_)
        embeddedWindow_->removeEventFilter(this);
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &menu_ && event->type() == QEvent::Show)
        placeMenuAbovePointer();
    if (watched == embeddedWindow_ && event->type() == QEvent::Expose && isPlaced())
        emit placed();
    return QObject::eventFilter(watched, event);
}

// Where the icon is a window of its own, the notification area embeds it at
// its own pace; until then the window is not shown and its position is the
// screen's corner, where a balloon would point at nothing.
void TrayIcon::watchForPlacement()
{
    const QWindowList windows = QGuiApplication::allWindows();
    const auto found = std::find_if(windows.cbegin(), windows.cend(), [](const QWindow* window) {
        return window->objectName() == QLatin1String(kEmbeddedWindowName);
    });
    if (found == windows.cend())
        return;
    embeddedWindow_ = *found;
    embeddedWindow_->installEventFilter(this);
}

// The menu is placed by whoever pops it up, hanging below the pointer; a
// notification area's menu opens upwards from the pointer instead, unless
// the screen has no room above (a panel at the top edge).
void TrayIcon::placeMenuAbovePointer()
{
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    const int top = pointer.y() - menu_.height();
    if (screen == nullptr || top < screen->availableGeometry().top())
        return;
    menu_.move(menu_.x(), top);
}

} // namespace kestrel
