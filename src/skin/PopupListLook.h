#pragma once

class QFont;
class QListWidget;

namespace kestrel {

// How the page's popup lists look: a thin border in the artwork's grey,
// rows that share the list's height so that every row fits when it can,
// and a scroll bar only when they cannot.
class PopupListLook {
public:
    static void apply(QListWidget& list, const QFont& font);
};

} // namespace kestrel
