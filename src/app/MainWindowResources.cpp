#include "app/MainWindowResources.h"

namespace kestrel {

StrIniSettings::SkinValues MainWindowResources::readStrIni(const StrIniSettings& settings, Language language)
{
    StrIniSettings::Values values = settings.read(language);
    captions = std::move(values.captions);
    return std::move(values.skin);
}

} // namespace kestrel
