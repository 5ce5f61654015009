#include "app/UdevHotplugWatcher.h"

#include <utility>

namespace kestrel {

std::unique_ptr<HotplugWatcher> UdevHotplugWatcher::create()
{
    auto source = UdevHotplugSource::create();
    if (!source)
        return nullptr;
    return std::unique_ptr<HotplugWatcher>(new UdevHotplugWatcher(std::move(source)));
}

UdevHotplugWatcher::UdevHotplugWatcher(std::unique_ptr<UdevHotplugSource> source)
    : source_(std::move(source))
    , notifier_(source_->fd(), QSocketNotifier::Read)
{
    connect(&notifier_, &QSocketNotifier::activated, this, &UdevHotplugWatcher::readNotices);
}

void UdevHotplugWatcher::readNotices()
{
    for (const HotplugNotice& notice : source_->readNotices())
        emit deviceChanged(notice.kind);
}

} // namespace kestrel
