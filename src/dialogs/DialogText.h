#pragma once

#include "config/ButtonItemTexts.h"
#include "config/Language.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace kestrel {

inline QString utf8ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One text of a sub-dialog in the three interface languages (UTF-8).
struct DialogText {
    std::string_view english;
    std::string_view simplified;
    std::string_view traditional;

    QString in(Language language) const
    {
        const std::string_view text = language == Language::SimplifiedChinese    ? simplified
                                      : language == Language::TraditionalChinese ? traditional
                                                                                 : english;
        return utf8ToQString(text);
    }
};

template <std::size_t N>
constexpr std::array<DialogText, N> dialogTexts(const std::array<LocalizedText, N>& texts)
{
    std::array<DialogText, N> rows{};
    for (std::size_t i = 0; i < N; ++i)
        rows[i] = {texts[i].english, texts[i].simplified, texts[i].traditional};
    return rows;
}

// The rows of a choice list in one language.
inline QStringList textsIn(std::span<const DialogText> rows, Language language)
{
    QStringList texts;
    for (const DialogText& row : rows)
        texts.append(row.in(language));
    return texts;
}

} // namespace kestrel
