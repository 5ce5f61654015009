#include "config/Language.h"

namespace kestrel {

Language languageFromCode(std::string_view code)
{
    if (code == "CHS") return Language::SimplifiedChinese;
    if (code == "CHT") return Language::TraditionalChinese;
    return Language::English;
}

std::string_view iniSectionName(Language language)
{
    switch (language) {
    case Language::SimplifiedChinese: return "Setting-CHS";
    case Language::TraditionalChinese: return "Setting-CHT";
    case Language::English: break;
    }
    return "Setting-EN";
}

} // namespace kestrel
