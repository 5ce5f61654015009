#pragma once

#include <Language.h>

#include <QString>
#include <QStringList>

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

// The rows of a choice list in one language.
inline QStringList textsIn(std::span<const DialogText> rows, Language language)
{
    QStringList texts;
    for (const DialogText& row : rows)
        texts.append(row.in(language));
    return texts;
}

} // namespace kestrel
