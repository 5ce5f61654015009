#pragma once

#include "skin/HoverItems.h"
#include "skin/SurfaceConditions.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>
#include <optional>
#include <span>

namespace kestrel {

// One hover-capable item to draw in its hover or normal state.
struct HoverDraw {
    HoverId id;
    bool over;

    friend bool operator==(const HoverDraw&, const HoverDraw&) = default;
};

// Draws hover items, all of one call in a single composition.
class HoverDrawer {
public:
    virtual ~HoverDrawer() = default;
    virtual void drawHoverItems(std::span<const HoverDraw> items) = 0;
};

// Hover tracking of the main window. A move onto a hover-capable item asks
// for a hover notice once the pointer has rested there for 10 ms; the
// notice draws the item's "-over" state and returns the other members of
// its group to normal. A move onto a plain point, or the pointer leaving the
// window, returns every item still shown hovered to normal.
class HoverTracker : public QObject {
    Q_OBJECT

public:
    static constexpr int kRestMilliseconds = 10;

    HoverTracker(const SurfaceConditions& conditions, HoverDrawer& drawer, QObject* parent = nullptr);

    // Every mouse move over the window surface.
    void mouseMoved(QPoint point);
    // The pointer came to rest at the point.
    void hoverNotice(QPoint point);
    // The pointer left the window: nothing may stay drawn hovered, since no
    // further move over the window would return it to normal.
    void mouseLeft();

    bool isOver(HoverId id) const { return flags_[static_cast<std::size_t>(id)]; }
    const QTimer& restTimer() const { return restTimer_; }

private:
    std::optional<HoverId> itemAt(QPoint point) const;
    void returnToNormal();

    const SurfaceConditions& conditions_;
    HoverDrawer& drawer_;
    std::array<bool, kHoverItemCount> flags_{};
    QTimer restTimer_;
    QPoint restPoint_;
};

} // namespace kestrel
