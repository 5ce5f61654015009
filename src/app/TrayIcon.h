#pragma once

#include "app/BalloonDisplay.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWindow>

#include <optional>

namespace kestrel {

// The program's icon in the notification area: the tip "Gaming Mouse Setting",
// a left click or double-click asks to show the window, the right-click menu
// holds the one item "Exit" and opens with its bottom edge at the pointer
// where the screen has room above it, and notices appear as its balloons.
// A balloon points at the icon, so until the notification area has taken
// the icon in, the icon says it is not placed yet and then announces `placed`.
class TrayIcon final : public QObject, public BalloonDisplay {
    Q_OBJECT

public:
    static constexpr const char* kTip = "Gaming Mouse Setting";

    TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent = nullptr);
    ~TrayIcon() override;

    void setExitText(const QString& text);
    void showBalloon(const Balloon& balloon) override;
    void remove();

    // The name Qt gives the window that stands for the icon where the
    // notification area embeds one (X11); it is shown once embedded.
    static constexpr const char* kEmbeddedWindowName = "QSystemTrayIconSysWindow";

    bool isShown() const { return icon_.isVisible(); }
    // Whether the notification area shows the icon where a balloon can point at it.
    bool isPlaced() const { return embeddedWindow_ == nullptr || embeddedWindow_->isExposed(); }
    QString toolTip() const { return icon_.toolTip(); }
    QMenu& menu() { return menu_; }
    // Like the icon's record, the icon keeps the texts of the last balloon it showed.
    const std::optional<Balloon>& lastBalloon() const { return lastBalloon_; }
    // What a click on the icon does.
    void activate(QSystemTrayIcon::ActivationReason reason);

signals:
    void showRequested();
    void exitRequested();
    void placed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeMenuAbovePointer();
    void watchForPlacement();

    QMenu menu_;
    QAction* exitAction_;
    QSystemTrayIcon icon_;
    // Null where the platform shows the icon itself (a D-Bus notification area).
    QPointer<QWindow> embeddedWindow_;
    std::optional<Balloon> lastBalloon_;
};

} // namespace kestrel
