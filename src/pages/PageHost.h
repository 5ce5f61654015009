#pragma once

#include "dialogs/DialogContext.h"
#include "config/Language.h"
#include "skin/Prompter.h"
#include "config/SettingsRecord.h"
#include "config/StrIniSettings.h"
#include "config/TextTable.h"

#include <cstdint>

class QWidget;

namespace kestrel {

class MainWindowSkin;

// What the basic page reads and changes outside itself, as the main window
// provides it. Everything is asked for at each use: start-up fills the texts
// after the window exists, a skin change replaces the style and a mouse
// arrival may bring another sensor type.
class PageHost {
public:
    virtual ~PageHost() = default;

    // The working settings record every part of the page edits.
    virtual SettingsRecord& settings() = 0;
    // The sixteen key captions: key group 1's buttons 1..8, then key group 2's.
    virtual StrIniSettings::Captions& captions() = 0;
    virtual const TextTable& texts() const = 0;
    virtual Language language() const = 0;
    virtual std::uint8_t sensorType() const = 0;
    // True for the first build of a run while config.bin has never been applied.
    virtual bool needsDefaultCaptions() const = 0;
    // Writes the key captions to str.ini.
    virtual void storeCaptions() = 0;
    virtual Prompter& prompter() = 0;
    // What a sub-dialog opened from the page is given.
    virtual DialogContext dialogContext() const = 0;
};

// The window the page lives on: its surface, whose canvas the page composes
// onto and whose popup lists it opens, the widget that owns the page's child
// controls and message boxes, and the host.
struct PageContext {
    QWidget& window;
    MainWindowSkin& skin;
    PageHost& host;
};

} // namespace kestrel
