#include "PopupListLook.h"

#include <PopupListSet.h>

#include <QListWidget>

namespace kestrel {

namespace {

constexpr const char* kListStyle =
    "QListWidget { border: 1px solid #5a5a5e; outline: none; }"
    "QListWidget::item { height: %1px; padding: 0px 3px; border: none; }"
    "QListWidget::item:selected { background: #3c3c42; color: white; }"
    "QScrollBar:vertical { background: #1e1e20; width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: #5a5a5e; min-height: 20px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }";

} // namespace

void PopupListLook::apply(QListWidget& list, const QFont& font)
{
    const int height = PopupListSet::rowHeight(font, list.height(), list.count());
    list.setStyleSheet(QString::fromLatin1(kListStyle).arg(height));
    list.setUniformItemSizes(true);
    list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace kestrel
