#include "PopupListLook.h"

#include <QFontMetrics>
#include <QListWidget>

#include <algorithm>

namespace kestrel {

namespace {

constexpr int kBorder = 1;
constexpr int kMostRowSpacing = 3;

constexpr const char* kListStyle =
    "QListWidget { border: 1px solid #5a5a5e; outline: none; }"
    "QListWidget::item { height: %1px; padding: 0px 3px; border: none; }"
    "QListWidget::item:selected { background: #3c3c42; color: white; }"
    "QScrollBar:vertical { background: #1e1e20; width: 10px; margin: 0; }"
    "QScrollBar::handle:vertical { background: #5a5a5e; min-height: 20px; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }";

} // namespace

int PopupListLook::rowHeight(const QFont& font, int listHeight, int rowCount)
{
    // A row is never shorter than the font's line, so no descender is cut.
    const int line = QFontMetrics(font).height();
    const int share = rowCount > 0 ? (listHeight - 2 * kBorder) / rowCount : line;
    return std::max(line, std::min(line + kMostRowSpacing, share));
}

void PopupListLook::apply(QListWidget& list, const QFont& font)
{
    const int height = rowHeight(font, list.height(), list.count());
    list.setStyleSheet(QString::fromLatin1(kListStyle).arg(height));
    list.setUniformItemSizes(true);
    list.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace kestrel
