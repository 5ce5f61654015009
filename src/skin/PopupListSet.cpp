#include "skin/PopupListSet.h"

#include "skin/ControlColours.h"
#include "skin/MainWindowLayout.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace kestrel {

PopupListSet::PopupListSet(QWidget& owner, const SurfaceConditions& conditions)
    : QObject(&owner), owner_(owner), conditions_(conditions)
{
}

PopupListSet::~PopupListSet() = default;

QListWidget& PopupListSet::create(PopupListId id, const QRect& rect, const QStringList& rows, const QFont& font)
{
    Entry& entry = entries_[id];
    if (entry.list)
        return *entry.list;
    auto* list = new QListWidget(&owner_);
    list->setGeometry(rect);
    list->setFrameShape(QFrame::Box);
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    ControlColours::apply(*list, ControlColours::listBoxRule(), font);
    list->addItems(rows);
    list->viewport()->installEventFilter(this);
    // Only the user's click or double-click on a row is a choice. The current
    // row alone says nothing: the hover rule moves it, and a list view makes
    // its first row current when it gains the focus, which window activation
    // would then turn into a choice nobody made. So the lists never take the
    // focus, and a change of the current row is no notice.
    list->setFocusPolicy(Qt::NoFocus);
    connect(list, &QListWidget::itemClicked, this, [this, id, list] { notifyChosen(id, list); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, id, list] { notifyChosen(id, list); });
    list->show();
    entry.list = list;
    return *list;
}

void PopupListSet::notifyChosen(PopupListId id, const QListWidget* list)
{
    // A list already closed by an earlier notice of the same click says nothing more.
    if (listener_ == nullptr || this->list(id) != list || list->currentRow() < 0)
        return;
    listener_->listChosen(id);
}

void PopupListSet::close(PopupListId id)
{
    const auto found = entries_.find(id);
    if (found == entries_.end())
        return;
    if (QListWidget* list = found->second.list) {
        // The list may be in the middle of delivering its own event.
        list->hide();
        list->disconnect(this);
        list->deleteLater();
    }
    entries_.erase(found);
}

void PopupListSet::closeAll()
{
    while (!entries_.empty())
        close(entries_.begin()->first);
}

bool PopupListSet::exists(PopupListId id) const { return list(id) != nullptr; }

QListWidget* PopupListSet::list(PopupListId id) const
{
    const auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second.list.data();
}

int PopupListSet::currentRow(PopupListId id) const
{
    const QListWidget* found = list(id);
    return found == nullptr ? -1 : found->currentRow();
}

bool PopupListSet::openFlag(PopupListId id) const
{
    const auto found = entries_.find(id);
    return found != entries_.end() && found->second.open;
}

void PopupListSet::setOpenFlag(PopupListId id, bool open)
{
    if (open)
        entries_[id].open = true;
    else if (const auto found = entries_.find(id); found != entries_.end())
        found->second.open = false;
}

void PopupListSet::closeAwayFrom(QPoint point)
{
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k) {
        if (mainlayout::functionList(k).contains(point) || mainlayout::keyDropDown(k).contains(point))
            continue;
        close(PopupListId::functionList(k));
        close(PopupListId::dpiSubList());
    }
    if (!mainlayout::kModeList.contains(point) && !mainlayout::kModeBox.contains(point))
        close(PopupListId::lightingModeList());
    if (!mainlayout::kParameterBox.contains(point))
        close(PopupListId::lightingParameterList());
}

int PopupListSet::rowNearest(const QListWidget& list, QPoint viewportPoint)
{
    const QModelIndex index = list.indexAt(viewportPoint);
    if (index.isValid())
        return index.row();
    // Below the last row the last row is nearest.
    const int last = list.count() - 1;
    if (last >= 0 && viewportPoint.y() >= list.visualItemRect(list.item(last)).top())
        return last;
    return -1;
}

std::optional<std::pair<PopupListId, int>> PopupListSet::hoverAt(QPoint globalPoint)
{
    if (!conditions_.pageBuilt())
        return std::nullopt;
    for (const auto& [id, entry] : entries_) {
        QListWidget* list = entry.list;
        if (list == nullptr || !list->isVisible())
            continue;
        const QPoint local = list->viewport()->mapFromGlobal(globalPoint);
        if (!list->viewport()->rect().contains(local))
            continue;
        const int row = rowNearest(*list, local);
        if (row >= 0) {
            const QSignalBlocker quiet(list);
            list->setCurrentRow(row);
        }
        return std::make_pair(id, row);
    }
    return std::nullopt;
}

void PopupListSet::releasedBelowRows(const QObject* viewport, const QMouseEvent& release)
{
    if (release.button() != Qt::LeftButton)
        return;
    for (const auto& [id, entry] : entries_) {
        const QListWidget* list = entry.list;
        if (list == nullptr || list->viewport() != viewport)
            continue;
        // A click on a row is the list's own choice.
        const QPoint point = release.position().toPoint();
        if (list->indexAt(point).isValid() || !list->viewport()->rect().contains(point))
            return;
        // Under the last row the hover rule highlights the nearest row; a
        // click there chooses what the user sees highlighted.
        const PopupListId listId = id;
        if (const auto hovered = hoverAt(release.globalPosition().toPoint());
            hovered && hovered->first == listId && hovered->second >= 0)
            notifyChosen(listId, list);
        return;
    }
}

bool PopupListSet::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (const auto hovered = hoverAt(move->globalPosition().toPoint()); hovered && listener_ != nullptr) {
            // The id is read before the listener runs: it may close this very list.
            const auto [id, row] = *hovered;
            listener_->listRowHovered(id, row);
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        releasedBelowRows(watched, *static_cast<QMouseEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

int PopupListSet::rowHeight(const QFont& font, int listHeight, int rowCount)
{
    constexpr int kBorder = 1;
    constexpr int kMostRowSpacing = 3;
    const int line = QFontMetrics(font).height();
    if (rowCount <= 0)
        return line;
    // Every row of a list drawn for its rows should show, so a row may come
    // down to the em when the line is too tall. A list too short even for
    // that scrolls anyway, and its rows get their full line: shorter rows
    // would put each row's glyphs into its neighbours'.
    const int least = std::min(QFontInfo(font).pixelSize(), line);
    const int share = (listHeight - 2 * kBorder) / rowCount;
    if (share < least)
        return line;
    return std::min(share, line + kMostRowSpacing);
}

} // namespace kestrel
