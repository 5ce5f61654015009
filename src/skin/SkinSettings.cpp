#include "skin/SkinSettings.h"

#include <utility>

namespace kestrel {

void SkinSettings::setSkin(std::string name, std::filesystem::path folder, QColor textColour)
{
    name_ = std::move(name);
    style_.folder = std::move(folder);
    style_.textColour = textColour;
    // Choosing the skin already in use still redraws, as the chooser's OK always did.
    emit skinChanged();
}

void SkinSettings::setFonts(QFont normalFont, QFont titleFont)
{
    style_.normalFont = std::move(normalFont);
    style_.titleFont = std::move(titleFont);
    emit fontsChanged();
}

} // namespace kestrel
