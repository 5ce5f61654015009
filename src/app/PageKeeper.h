#pragma once

#include "app/BasicPage.h"
#include "app/WindowFlags.h"

#include <functional>
#include <memory>

namespace kestrel {

// Builds, rebuilds and tears down the basic page while keeping the page
// state and the initialised flag true to what happened. The page is given
// with setPage before anything is built.
class PageKeeper {
public:
    explicit PageKeeper(WindowFlags& flags);

    void setPage(std::unique_ptr<BasicPage> page);

    void build();
    // A forced rebuild of a built page: torn down, `whileTornDown` run, built again.
    void rebuild(const std::function<void()>& whileTornDown = {});
    // Before the notification icon shows the window: after a "Cancel" the
    // built page is rebuilt from the stored key captions (`rereadCaptions`);
    // a page never built is built.
    void prepareForShow(const std::function<void()>& rereadCaptions);

private:
    WindowFlags& flags_;
    std::unique_ptr<BasicPage> page_;
};

} // namespace kestrel
