#pragma once

#include "config/Language.h"

#include <QFont>
#include <QString>

namespace kestrel {

// One font as designed: face, cell height in pixels and weight (400 normal, 700 bold).
struct FontChoice {
    QString face;
    int height = 0;
    int weight = 0;

    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The normal font (captions, headings, lists) and the title font (page title).
struct FontPair {
    FontChoice normal;
    FontChoice title;
};

// Picks the window fonts by language and by whether the system is Windows 6.2:
// the Chinese faces for "CHS" and "CHT", Arial and Tahoma for every other code.
// A face the system lacks is left to the system's font matching.
class FontRule {
public:
    static FontPair choose(Language language, bool windows62);
    // The font whose line height (ascent plus descent) is the designed cell height.
    static QFont toFont(const FontChoice& choice);
};

} // namespace kestrel
