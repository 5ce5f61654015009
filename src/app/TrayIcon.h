#pragma once

#include "BalloonDisplay.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <optional>

namespace kestrel {

// The program's icon in the notification area: the tip "Gaming Mouse Setting",
// a left click or double-click asks to show the window, the right-click menu
// holds the one item "Exit" and opens with its bottom edge at the pointer
// where the screen has room above it, and notices appear as its balloons.
class TrayIcon final : public QObject, public BalloonDisplay {
    Q_OBJECT

public:
    static constexpr const char* kTip = "Gaming Mouse Setting";

    TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent = nullptr);

    void setExitText(const QString& text);
    void showBalloon(const Balloon& balloon) override;
    void remove();

    bool isShown() const { return icon_.isVisible(); }
    QString toolTip() const { return icon_.toolTip(); }
    QMenu& menu() { return menu_; }
    // Like the icon's record, the icon keeps the texts of the last balloon it showed.
    const std::optional<Balloon>& lastBalloon() const { return lastBalloon_; }
    // What a click on the icon does.
    void activate(QSystemTrayIcon::ActivationReason reason);

signals:
    void showRequested();
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeMenuAbovePointer();

    QMenu menu_;
    QAction* exitAction_;
    QSystemTrayIcon icon_;
    std::optional<Balloon> lastBalloon_;
};

} // namespace kestrel
