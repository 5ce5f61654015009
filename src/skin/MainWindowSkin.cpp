#include "skin/MainWindowSkin.h"

#include "skin/ClickDispatcher.h"
#include "skin/SkinFiles.h"
#include "skin/SkinFolder.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace kestrel {

namespace {

// The digit of a key drop-down sits in the first 20 pixels, the caption after it.
constexpr int kDigitWidth = 20;

} // namespace

MainWindowSkin::MainWindowSkin(QWidget& window, const SkinSettings& settings, const SurfaceConditions& conditions,
                               WindowClickActions& windowActions, const SurfaceCaptions& captions)
    : QObject(&window),
      window_(window),
      settings_(settings),
      conditions_(conditions),
      windowActions_(windowActions),
      captions_(captions),
      hover_(conditions, *this, this),
      lists_(window, conditions)
{
    window_.setMouseTracking(true);
    // The old skin's images are never drawn again; they only take memory.
    connect(&settings_, &SkinSettings::skinChanged, this, [this] { images_.clear(); });
}

bool MainWindowSkin::loadBackground()
{
    if (!canvas_.loadBackground(SkinFolder::imagePath(style().folder, skinfiles::kMain)))
        return false;
    window_.resize(canvas_.size());
    return true;
}

void MainWindowSkin::drawHoverItem(SkinPainter& painter, HoverId id, bool over) const
{
    const HoverItem& item = hoverItem(id);
    switch (item.caption) {
    case HoverCaption::None:
        painter.imageButton(item.button, over, QString());
        return;
    case HoverCaption::ButtonCaption:
        painter.imageButton(item.button, over, captions_.buttonCaption(id));
        return;
    case HoverCaption::KeyCaption: {
        const int k = keyDropDownNumber(id);
        const QRect box = item.button.rect;
        painter.imageButton(item.button, over, QString());
        painter.label(QRect(box.left(), box.top(), kDigitWidth, box.height()), QString::number(k), TextLayout::Left);
        painter.label(box.adjusted(kDigitWidth, 0, 0, 0), captions_.keyCaption(k), TextLayout::Left);
        return;
    }
    }
}

void MainWindowSkin::drawHoverItems(std::span<const HoverDraw> items)
{
    CanvasPainter dc = compose();
    SkinPainter painter(dc, style(), images_);
    for (const HoverDraw& item : items)
        drawHoverItem(painter, item.id, item.over);
}

void MainWindowSkin::present() { window_.update(); }

void MainWindowSkin::closeListsAwayFrom(QPoint point) { lists_.closeAwayFrom(point); }

void MainWindowSkin::startDrag(QPoint)
{
    // The window system's move starts only with the first move of the held
    // button: a window manager that takes the move after a quick click (a
    // touchpad tap) has been released would stick the window to the pointer.
    // The press may also have opened a modal dialog, so the button may be up
    // already.
    dragArmed_ = QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

void MainWindowSkin::mouseMoved(QPoint point)
{
    if (std::exchange(dragArmed_, false) && QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
        if (QWindow* handle = window_.windowHandle())
            handle->startSystemMove();
        return;
    }
    hover_.mouseMoved(point);
}

void MainWindowSkin::mousePressed(QPoint point)
{
    ClickDispatcher::dispatch(point, conditions_, ClickTargets{windowActions_, page_, *this});
}

} // namespace kestrel
