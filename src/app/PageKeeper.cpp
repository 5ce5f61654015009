#include "app/PageKeeper.h"

#include <utility>

namespace kestrel {

PageKeeper::PageKeeper(WindowFlags& flags)
    : flags_(flags)
{
}

void PageKeeper::setPage(std::unique_ptr<BasicPage> page)
{
    page_ = std::move(page);
}

void PageKeeper::build()
{
    page_->build();
    flags_.pageState = PageState::Built;
    flags_.basicPageInitialised = true;
}

void PageKeeper::rebuild(const std::function<void()>& whileTornDown)
{
    flags_.pageState = PageState::TearingDown;
    page_->tearDown();
    if (whileTornDown)
        whileTornDown();
    flags_.pageState = PageState::MustBuild;
    build();
}

void PageKeeper::prepareForShow(const std::function<void()>& rereadCaptions)
{
    if (flags_.cancelPending) {
        flags_.cancelPending = false;
        if (flags_.pageState == PageState::Built)
            rebuild(rereadCaptions);
    } else if (!flags_.basicPageInitialised) {
        build();
    }
}

} // namespace kestrel
