#pragma once

#include "DlgSurface.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace kestrel {

// The window's surface until the skinned controls take over: the background
// bitmap, the minimise and close hot spots, and a press anywhere else drags
// the frameless window.
class BackgroundSurface final : public DlgSurface {
public:
    BackgroundSurface(QWidget& window, const QImage& background, std::function<void()> minimise,
                      std::function<void()> close);

    void paint(QPainter& painter, const QRect& dirty) override;
    void mousePress(QMouseEvent& event) override;
    void mouseMove(QMouseEvent&) override {}
    void mouseLeave() override {}

private:
    QWidget& window_;
    const QImage& background_;
    std::function<void()> minimise_;
    std::function<void()> close_;
};

} // namespace kestrel
