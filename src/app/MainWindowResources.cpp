#include "app/MainWindowResources.h"

namespace kestrel {

void MainWindowResources::readStrIni(const StrIniSettings& settings, Language language)
{
    StrIniSettings::Values values = settings.read(language);
    captions = std::move(values.captions);
    skin = std::move(values.skin);
}

} // namespace kestrel
