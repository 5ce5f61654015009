#pragma once

#include "app/BalloonDisplay.h"

#include <QLabel>
#include <QTimer>

namespace kestrel {

// Notices shown inside the window, for desktops without a notification area:
// a strip along the window's bottom edge with the title and the text, gone
// again after the notice's time.
class NoticeBanner final : public QLabel, public BalloonDisplay {
public:
    static constexpr int kHeight = 32;

    explicit NoticeBanner(QWidget* window);

    void showBalloon(const Balloon& balloon) override;

private:
    QTimer hideTimer_;
};

} // namespace kestrel
