#include "skin/HoverTracker.h"

#include <vector>

namespace kestrel {

HoverTracker::HoverTracker(const SurfaceConditions& conditions, HoverDrawer& drawer, QObject* parent)
    : QObject(parent), conditions_(conditions), drawer_(drawer)
{
    restTimer_.setSingleShot(true);
    restTimer_.setInterval(kRestMilliseconds);
    connect(&restTimer_, &QTimer::timeout, this, [this] { hoverNotice(restPoint_); });
}

std::optional<HoverId> HoverTracker::itemAt(QPoint point) const
{
    for (const HoverItem& item : kHoverItems) {
        if (item.needsBuiltPage && !conditions_.pageBuilt())
            continue;
        if (item.button.rect.contains(point))
            return item.id;
    }
    return std::nullopt;
}

void HoverTracker::mouseMoved(QPoint point)
{
    if (itemAt(point)) {
        // Each move restarts the wait, so the notice comes once the pointer rests.
        restPoint_ = point;
        restTimer_.start();
        return;
    }
    restTimer_.stop();
    returnToNormal();
}

void HoverTracker::mouseLeft()
{
    restTimer_.stop();
    returnToNormal();
}

void HoverTracker::returnToNormal()
{
    std::vector<HoverDraw> draws;
    for (const HoverItem& item : kHoverItems) {
        bool& flag = flags_[static_cast<std::size_t>(item.id)];
        if (flag) {
            draws.push_back({item.id, false});
            flag = false;
        }
    }
    if (!draws.empty())
        drawer_.drawHoverItems(draws);
}

void HoverTracker::hoverNotice(QPoint point)
{
    const std::optional<HoverId> hovered = itemAt(point);
    if (!hovered)
        return;
    const HoverItem& item = hoverItem(*hovered);
    std::vector<HoverDraw> draws{{item.id, true}};
    flags_[static_cast<std::size_t>(item.id)] = true;
    if (item.group != HoverGroup::Solo) {
        for (const HoverItem& other : kHoverItems) {
            bool& flag = flags_[static_cast<std::size_t>(other.id)];
            if (other.group == item.group && other.id != item.id && flag) {
                draws.push_back({other.id, false});
                flag = false;
            }
        }
    }
    drawer_.drawHoverItems(draws);
}

} // namespace kestrel
