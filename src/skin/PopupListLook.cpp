#include "skin/PopupListLook.h"

#include "skin/FontFit.h"
#include "skin/PopupListSet.h"

#include <QListWidget>
#include <QStyle>

namespace kestrel {

namespace {

// %1 is the row height, %2 the row's padding left and right.
constexpr const char* kWindowListStyle =
    "QListWidget { border: 1px solid #5a5a5e; outline: none; }"
    "QListWidget::item { height: %1px; padding: 0px %2px; border: none; }"
    "QListWidget::item:selected { background: #3c3c42; color: white; }"
    "QScrollBar:vertical { background: #1e1e20; width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: #5a5a5e; min-height: 20px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }";

constexpr const char* kDialogListStyle =
    "QListWidget { border: 1px solid #5a5a5e; }"
    "QListWidget::item { height: %1px; padding: 0px %2px; border: none; }"
    "QListWidget::item:selected { background: palette(highlight); color: palette(highlighted-text); }"
    "QScrollBar:vertical { background: #1e1e20; width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: #5a5a5e; min-height: 20px; border-radius: 3px; margin: 1px; }"
    "QScrollBar::handle:vertical:hover { background: #78787c; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

constexpr int kBorder = 1;
constexpr int kScrollBarWidth = 10;
constexpr int kWindowRowPadding = 3;
constexpr int kDialogRowPadding = 2;

// Rows too wide for the list are set smaller, all alike, rather than cut:
// the room is what the border, a scroll bar if any and the row's padding
// and text margins leave.
void fitRows(QListWidget& list, const QFont& font, int rowHeight, int padding)
{
    QStringList rows;
    for (int row = 0; row < list.count(); ++row)
        rows << list.item(row)->text();
    const bool scrolls = rowHeight * list.count() > list.height() - 2 * kBorder;
    const int textMargin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    const int room = list.width() - 2 * kBorder - (scrolls ? kScrollBarWidth : 0) - 2 * (padding + textMargin);
    list.setFont(FontFit::toFitAll(font, rows, room));
}

void apply(QListWidget& list, const QFont& font, const char* style, int padding)
{
    const int height = PopupListSet::rowHeight(font, list.height(), list.count());
    list.setStyleSheet(QString::fromLatin1(style).arg(height).arg(padding));
    fitRows(list, font, height, padding);
    list.setUniformItemSizes(true);
    list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Only a list whose rows do not all fit shows its scroll bar, so that
    // every row can be reached without a wheel.
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

void PopupListLook::forWindow(QListWidget& list, const QFont& font)
{
    apply(list, font, kWindowListStyle, kWindowRowPadding);
}

void PopupListLook::forDialog(QListWidget& list, const QFont& font)
{
    apply(list, font, kDialogListStyle, kDialogRowPadding);
}

} // namespace kestrel
