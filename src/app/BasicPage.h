#pragma once

namespace kestrel {

// The basic settings page as the main window drives it. Building draws the
// page and creates its child controls; tearing down destroys those controls
// and closes every popup list. The page flags are kept by PageKeeper.
class BasicPage {
public:
    virtual ~BasicPage() = default;
    virtual void build() = 0;
    virtual void tearDown() = 0;
};

} // namespace kestrel
