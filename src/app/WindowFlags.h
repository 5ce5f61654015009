#pragma once

#include <cstdint>

namespace kestrel {

// Where the basic page stands: it must be built, it is built and shown, or
// its child controls are being torn down for a rebuild (only inside one handler).
enum class PageState {
    MustBuild = 0,
    Built = 1,
    TearingDown = 2,
};

// The program-wide flags every window consults.
struct WindowFlags {
    PageState pageState = PageState::MustBuild;
    // Set the first time the basic page is built; guards the one-time caption defaults.
    bool basicPageInitialised = false;
    // Set by "Cancel"; the next show from the notification icon rebuilds the page.
    bool cancelPending = false;
    // Dialog initialisation has run, to its end or to where it stopped. Until
    // then a show request does nothing: the page would be built from a
    // config.bin, texts and skin not read yet.
    bool initialised = false;
    // Start-up stopped before config.bin, the texts and the skin were read: the
    // page is never built, and nothing is sent to the mouse or stored.
    bool startupStopped = false;
    // The first byte of config.bin as last read.
    std::uint8_t firstRunFlag = 0;
};

} // namespace kestrel
