#include "app/NoticePresenter.h"

namespace kestrel {

NoticePresenter::NoticePresenter(const TextTable& texts, const ProgramState& state)
    : texts_(texts)
    , state_(state)
{
}

void NoticePresenter::notice(Notice notice)
{
    if (display_)
        present(notice);
    else if (NoticeBalloon::compose(notice, texts_, state_.settings, state_.device.sensorType()))
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
    if (const auto balloon = NoticeBalloon::compose(notice, texts_, state_.settings, state_.device.sensorType()))
        display_->showBalloon(*balloon);
}

} // namespace kestrel
