#pragma once

#include <string_view>

namespace kestrel {

// The interface language, chosen once at start-up by the "Lan" code in str.ini.
enum class Language { English, SimplifiedChinese, TraditionalChinese };

// "CHS" and "CHT" exactly (case matters); any other code, "" included, is English.
Language languageFromCode(std::string_view code);

// The str.ini section that holds this language's key captions.
std::string_view iniSectionName(Language language);

} // namespace kestrel
