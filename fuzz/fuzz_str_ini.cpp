// str.ini as the window reads it: the language, the captions and the skin's colours.
#include "ScratchFile.h"

#include "config/StrIniSettings.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const kestrel::fuzz::ScratchFile file("str.ini");
    const kestrel::StrIniSettings settings(file.write({data, size}));
    (void)kestrel::languageFromCode(settings.readLanguageCode());
    for (const auto language : {kestrel::Language::English, kestrel::Language::SimplifiedChinese,
                                kestrel::Language::TraditionalChinese}) {
        const kestrel::StrIniSettings::Values values = settings.read(language);
        (void)kestrel::StrIniSettings::skinColour(values.skin);
    }
    return 0;
}
