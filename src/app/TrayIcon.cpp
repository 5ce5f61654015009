#include "TrayIcon.h"

namespace kestrel {

TrayIcon::TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent)
    : QObject(parent)
    , exitAction_(menu_.addAction(exitText))
    , icon_(icon)
{
    icon_.setToolTip(QString::fromLatin1(kTip));
    icon_.setContextMenu(&menu_);
    connect(exitAction_, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::activate);
    icon_.show();
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

} // namespace kestrel
