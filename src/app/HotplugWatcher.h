#pragma once

#include "device/DeviceChange.h"

#include <QObject>

namespace kestrel {

// Where the mouse's arrivals and removals come from. This base never reports
// any: it serves the simulated mouse where the platform's notices come from
// the kernel alone, which never tells of it.
// Platform watchers derive from it; tests emit deviceChanged themselves.
class HotplugWatcher : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void deviceChanged(kestrel::DeviceChange change);
};

} // namespace kestrel
