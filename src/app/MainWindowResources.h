#pragma once

#include "config/StrIniSettings.h"
#include "config/TextTable.h"

namespace kestrel {

// What the main window owns for drawing its pages: the texts of the chosen
// language (English until start-up chooses) and the key captions. The skin
// and the fonts belong to the skin settings; the background bitmap is the
// skinned surface's canvas.
struct MainWindowResources {
    TextTable texts = TextTable::forLanguage(Language::English);
    StrIniSettings::Captions captions;

    // Takes the key captions of the language from str.ini and returns its
    // skin entries, which only start-up and the skin chooser act on.
    StrIniSettings::SkinValues readStrIni(const StrIniSettings& settings, Language language);
};

} // namespace kestrel
