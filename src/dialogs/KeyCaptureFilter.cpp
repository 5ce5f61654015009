#include "dialogs/KeyCaptureFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace kestrel {

namespace {

bool endsDialog(const QKeyEvent& key)
{
    return key.type() == QEvent::KeyPress &&
           (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape);
}

} // namespace

KeyCaptureFilter::KeyCaptureFilter(QWidget& window, const KeyNamer& namer, NameSink named)
    : window_(window), namer_(namer), named_(std::move(named))
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyCaptureFilter::~KeyCaptureFilter()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool KeyCaptureFilter::isForWindow(QObject* watched) const
{
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget != nullptr && widget->window() == &window_;
}

bool KeyCaptureFilter::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || !isForWindow(watched))
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const std::uint32_t scanCode = key.nativeScanCode();
    named_(namer_.nameOf(scanCode));
    return namer_.isWindowsKey(scanCode) || endsDialog(key);
}

} // namespace kestrel
