#include "BackgroundSurface.h"

#include <MainWindowLayout.h>

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <utility>

namespace kestrel {

BackgroundSurface::BackgroundSurface(QWidget& window, const QImage& background, std::function<void()> minimise,
                                     std::function<void()> close)
    : window_(window)
    , background_(background)
    , minimise_(std::move(minimise))
    , close_(std::move(close))
{
}

void BackgroundSurface::paint(QPainter& painter, const QRect& dirty)
{
    // Without a background bitmap the window shows an empty, black surface.
    painter.fillRect(dirty, Qt::black);
    if (!background_.isNull())
        painter.drawImage(dirty, background_, dirty);
}

void BackgroundSurface::mousePress(QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    const QPoint point = event.position().toPoint();
    if (mainlayout::kMinimise.contains(point))
        minimise_();
    else if (mainlayout::kClose.contains(point))
        close_();
    else if (QWindow* handle = window_.windowHandle())
        handle->startSystemMove();
}

} // namespace kestrel
