#include "app/NoticePresenter.h"

namespace kestrel {

NoticePresenter::NoticePresenter(const TextTable& texts, const SettingsRecord& settings, const DeviceState& device)
    : texts_(texts)
    , settings_(settings)
    , device_(device)
{
}

void NoticePresenter::notice(Notice notice)
{
    if (display_)
        present(notice);
    else if (NoticeBalloon::compose(notice, texts_, settings_, device_.sensorType()))
        held_ = notice;
}

void NoticePresenter::setDisplay(BalloonDisplay* display)
{
    display_ = display;
    if (display_ && held_) {
        present(*held_);
        held_.reset();
    }
}

void NoticePresenter::present(Notice notice)
{
    // Kinds and values outside the table show nothing and replace nothing.
    if (const auto balloon = NoticeBalloon::compose(notice, texts_, settings_, device_.sensorType()))
        display_->showBalloon(*balloon);
}

} // namespace kestrel
