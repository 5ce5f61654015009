#pragma once

#include "config/Language.h"
#include "platform/KeyNamer.h"
#include "skin/Prompter.h"
#include "skin/SkinStyle.h"

#include <QString>

namespace kestrel {

// What a sub-dialog is opened with: the prompter that shows its message
// boxes, colour chooser and modal run; the interface language; the skin it
// draws with (the skin folder in use, the skin text colour and the normal
// font of the window that opens it, which is the font the language's font
// rule gives every skinned window); the program's name, the caption of its
// image failure messages; and the platform's names of keys.
struct DialogContext {
    Prompter& prompter;
    Language language = Language::English;
    SkinStyle style;
    QString programName;
    const KeyNamer& keyNamer;
};

} // namespace kestrel
