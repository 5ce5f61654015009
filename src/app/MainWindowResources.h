#pragma once

#include "config/StrIniSettings.h"
#include "config/TextTable.h"

#include <QFont>

namespace kestrel {

// What the main window owns for drawing its pages: the texts of the chosen
// language (English until start-up chooses), the key captions, the skin
// entries as str.ini holds them and the two fonts. The background bitmap is
// the skinned surface's canvas.
struct MainWindowResources {
    TextTable texts = TextTable::forLanguage(Language::English);
    StrIniSettings::Captions captions;
    StrIniSettings::SkinValues skin;
    QFont normalFont;
    QFont titleFont;

    // The key captions of the language and the skin entries, as at start-up.
    void readStrIni(const StrIniSettings& settings, Language language);
};

} // namespace kestrel
