#pragma once

#include "app/HotplugWatcher.h"

#include "platform/DeviceNoticeSource.h"
#include "platform/PlatformServices.h"

#include <QAbstractNativeEventFilter>
#include <QSocketNotifier>

#include <memory>

class QWidget;

namespace kestrel {

// Hands the platform's device notices to the program: read whenever the
// source's descriptor becomes readable (udev), or picked out of the native
// messages the application receives (device-change messages to the main
// window), and passed on as deviceChanged.
class NativeHotplugWatcher final : public HotplugWatcher, private QAbstractNativeEventFilter {
public:
    // The platform's notices for the main window; null when the platform refuses them.
    static std::unique_ptr<HotplugWatcher> forWindow(const PlatformServices& platform, QWidget& window);
    // source must not be null.
    explicit NativeHotplugWatcher(std::unique_ptr<DeviceNoticeSource> source);
    ~NativeHotplugWatcher() override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void readNotices();

    std::unique_ptr<DeviceNoticeSource> source_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace kestrel
