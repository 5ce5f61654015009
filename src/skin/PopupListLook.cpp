#include "PopupListLook.h"

#include "PopupListSet.h"

#include <QListWidget>

namespace kestrel {

namespace {

// %1 is the row height.
constexpr const char* kWindowListStyle =
    "QListWidget { border: 1px solid #5a5a5e; outline: none; }"
    "QListWidget::item { height: %1px; padding: 0px 3px; border: none; }"
    "QListWidget::item:selected { background: #3c3c42; color: white; }"
    "QScrollBar:vertical { background: #1e1e20; width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: #5a5a5e; min-height: 20px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }";

constexpr const char* kDialogListStyle =
    "QListWidget { border: 1px solid #5a5a5e; }"
    "QListWidget::item { height: %1px; padding: 0px 2px; border: none; }"
    "QListWidget::item:selected { background: palette(highlight); color: palette(highlighted-text); }"
    "QScrollBar:vertical { background: #1e1e20; width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: #5a5a5e; min-height: 20px; border-radius: 3px; margin: 1px; }"
    "QScrollBar::handle:vertical:hover { background: #78787c; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

void apply(QListWidget& list, const QFont& font, const char* style)
{
    const int height = PopupListSet::rowHeight(font, list.height(), list.count());
    list.setStyleSheet(QString::fromLatin1(style).arg(height));
    list.setUniformItemSizes(true);
    list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Only a list whose rows do not all fit shows its scroll bar, so that
    // every row can be reached without a wheel.
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

void PopupListLook::forWindow(QListWidget& list, const QFont& font) { apply(list, font, kWindowListStyle); }

void PopupListLook::forDialog(QListWidget& list, const QFont& font) { apply(list, font, kDialogListStyle); }

} // namespace kestrel
