#include "app/NativeHotplugWatcher.h"

#include <QCoreApplication>
#include <QWidget>

#include <string_view>
#include <utility>

namespace kestrel {

std::unique_ptr<HotplugWatcher> NativeHotplugWatcher::forWindow(const PlatformServices& platform, QWidget& window)
{
    // Only a platform whose notices come through the window asks for its
    // native handle, which the hidden window then gets.
    auto source = platform.openDeviceNotices([&window] { return reinterpret_cast<void*>(window.winId()); });
    if (!source)
        return nullptr;
    return std::make_unique<NativeHotplugWatcher>(std::move(source));
}

NativeHotplugWatcher::NativeHotplugWatcher(std::unique_ptr<DeviceNoticeSource> source)
    : source_(std::move(source))
{
    if (source_->descriptor() >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(source_->descriptor(), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &NativeHotplugWatcher::readNotices);
    } else {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

NativeHotplugWatcher::~NativeHotplugWatcher()
{
    if (!notifier_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool NativeHotplugWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (const auto change = source_->noticeOfMessage(std::string_view(eventType.constData(), eventType.size()), message))
        emit deviceChanged(*change);
    // The window's own handling of the message goes on as ever.
    return false;
}

void NativeHotplugWatcher::readNotices()
{
    for (const DeviceChange change : source_->readNotices())
        emit deviceChanged(change);
}

} // namespace kestrel
