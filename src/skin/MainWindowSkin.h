#pragma once

#include "skin/CanvasPainter.h"
#include "skin/ClickActions.h"
#include "skin/HoverTracker.h"
#include "skin/PopupListSet.h"
#include "skin/SkinCanvas.h"
#include "skin/SkinImageCache.h"
#include "skin/SkinPainter.h"
#include "skin/SkinSettings.h"
#include "skin/SkinStyle.h"
#include "skin/SurfaceConditions.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <span>

class QWidget;

namespace kestrel {

// The texts drawn on hover items: the captions of "OK", "Apply", "Cancel"
// and "Default", and of key drop-down k (1..7) in the key group shown.
class SurfaceCaptions {
public:
    virtual ~SurfaceCaptions() = default;
    virtual QString buttonCaption(HoverId id) const = 0;
    virtual QString keyCaption(int k) const = 0;
};

// The skinned surface of the main window. It owns the canvas (the
// background bitmap), paints the window from it, tracks hovering, owns the
// popup lists, and turns left presses into the click table's actions. The
// window hands it its paint events and its mouse presses and moves. It draws
// with the skin settings as they are at each drawing; it keeps no copy.
class MainWindowSkin final : public QObject, private CanvasTarget, private HoverDrawer, private SurfaceActions {
    Q_OBJECT

public:
    MainWindowSkin(QWidget& window, const SkinSettings& settings, const SurfaceConditions& conditions,
                   WindowClickActions& windowActions, const SurfaceCaptions& captions);

    // The page answers the page's hot rectangles once it exists.
    void setPageActions(PageClickActions* page) { page_ = page; }

    const SkinStyle& style() const { return settings_.style(); }
    SkinCanvas& canvas() { return canvas_; }
    // The decoded images every composition of this window draws from;
    // dropped whenever the settings change skin.
    SkinImageCache& images() { return images_; }
    const SkinCanvas& canvas() const { return canvas_; }
    PopupListSet& lists() { return lists_; }
    HoverTracker& hover() { return hover_; }

    // Loads "/main.png" of the skin folder as the canvas and sizes the window
    // to it; a missing image leaves an empty canvas and the window's size to
    // its owner.
    bool loadBackground();

    // One composition onto the canvas, copied to the window when it ends.
    CanvasPainter compose() { return CanvasPainter(canvas_, *this); }

    // Draws a hover-capable item normal or hovered, with its caption or its
    // digit and key caption.
    void drawHoverItem(SkinPainter& painter, HoverId id, bool over) const;

    // The window's paint event: the canvas as last composed, nothing redrawn.
    void paint(QPainter& windowPainter) const { canvas_.showOn(windowPainter); }
    // A left-button press and any mouse move, in client coordinates, and the
    // pointer leaving the window.
    void mousePressed(QPoint point);
    void mouseMoved(QPoint point);
    void mouseLeft() { hover_.mouseLeft(); }

private:
    void present() override;
    void drawHoverItems(std::span<const HoverDraw> items) override;
    void closeListsAwayFrom(QPoint point) override;
    void startDrag(QPoint point) override;

    QWidget& window_;
    const SkinSettings& settings_;
    const SurfaceConditions& conditions_;
    WindowClickActions& windowActions_;
    const SurfaceCaptions& captions_;
    PageClickActions* page_ = nullptr;
    SkinCanvas canvas_;
    SkinImageCache images_;
    HoverTracker hover_;
    PopupListSet lists_;
    // A press that hits nothing moves the window once the pointer moves
    // with the button still held.
    bool dragArmed_ = false;
};

} // namespace kestrel
