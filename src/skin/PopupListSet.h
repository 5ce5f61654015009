#pragma once

#include "skin/PopupListId.h"
#include "skin/SurfaceConditions.h"

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <map>
#include <optional>

class QListWidget;
class QMouseEvent;
class QWidget;

namespace kestrel {

// Hears what happens in the popup lists: the user chose a row (a click or a
// double-click on it, or a click under the last row, which is then the one
// highlighted; read the row with currentRow), or the pointer moved over a row.
class PopupListListener {
public:
    virtual ~PopupListListener() = default;
    virtual void listChosen(PopupListId id) = 0;
    virtual void listRowHovered(PopupListId id, int row) = 0;
};

// The main window's popup lists: list boxes created on demand as children of
// the window at their rectangles, white text on black, destroyed when closed.
// Each has a list-open flag kept apart from the list's existence, as the
// pages open and close them. While the basic page is built, the row under
// the pointer becomes the current row without any selection notice. The
// lists never take the keyboard focus.
class PopupListSet : public QObject {
    Q_OBJECT

public:
    PopupListSet(QWidget& owner, const SurfaceConditions& conditions);
    ~PopupListSet() override;

    void setListener(PopupListListener* listener) { listener_ = listener; }

    // Creates the list with its rows unless it exists; returns it either way.
    QListWidget& create(PopupListId id, const QRect& rect, const QStringList& rows, const QFont& font);
    // Destroys the list if it exists and clears its list-open flag.
    void close(PopupListId id);
    void closeAll();
    bool exists(PopupListId id) const;
    QListWidget* list(PopupListId id) const;
    // The current row, or -1 when the list has none or does not exist.
    int currentRow(PopupListId id) const;

    bool openFlag(PopupListId id) const;
    void setOpenFlag(PopupListId id, bool open);

    // A press on the window surface closes every list the press is not on
    // (neither the list's box nor the box that opens it).
    void closeAwayFrom(QPoint point);

    // The list hover rule: the list under the global point gets the row
    // under it as current row; returns the list and row, if any.
    std::optional<std::pair<PopupListId, int>> hoverAt(QPoint globalPoint);

    // Rows share the list's height: a little above the font's line at most,
    // the full line where the list has room for it, the em at least; the
    // rows of a list that must scroll anyway get the full line.
    static int rowHeight(const QFont& font, int listHeight, int rowCount);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QListWidget> list;
        bool open = false;
    };

    void notifyChosen(PopupListId id, const QListWidget* list);
    // A left click in a list's empty band under its last row.
    void releasedBelowRows(const QObject* viewport, const QMouseEvent& release);
    static int rowNearest(const QListWidget& list, QPoint viewportPoint);

    QWidget& owner_;
    const SurfaceConditions& conditions_;
    PopupListListener* listener_ = nullptr;
    std::map<PopupListId, Entry> entries_;
};

} // namespace kestrel
