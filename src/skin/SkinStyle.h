#pragma once

#include "config/SettingsRecord.h"

#include <QColor>
#include <QFont>

#include <filesystem>

namespace kestrel {

// What a skinned window draws with: the skin folder its images come from,
// the skin text colour of captions and labels, and its two fonts.
struct SkinStyle {
    std::filesystem::path folder;
    QColor textColour{0, 255, 0};
    QFont normalFont;
    QFont titleFont;

    // The page title's fixed dark grey.
    static QColor titleColour() { return QColor(0x42, 0x42, 0x42); }
    static QColor fromRgb(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }
};

} // namespace kestrel
