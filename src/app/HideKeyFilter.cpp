#include "app/HideKeyFilter.h"

#include <QKeyEvent>

#include <utility>

namespace kestrel {

HideKeyFilter::HideKeyFilter(QWidget& window, std::function<void()> hide)
    : window_(window)
    , hide_(std::move(hide))
{
}

bool HideKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != &window_)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
        return false;
    hide_();
    return true;
}

} // namespace kestrel
