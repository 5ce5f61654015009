#pragma once

#include "skin/SkinStyle.h"

#include <QColor>
#include <QFont>
#include <QObject>

#include <filesystem>
#include <string>

namespace kestrel {

// The one owner of the skin in use: its name as str.ini holds it, its folder,
// the skin text colour and the two fonts of the language. Everything that
// draws reads them from here, and whatever keeps a drawing made from them
// (the main window's page) redraws on skinChanged or fontsChanged.
class SkinSettings final : public QObject {
    Q_OBJECT

public:
    SkinSettings() = default;

    const SkinStyle& style() const { return style_; }
    const std::string& name() const { return name_; }

    // Start-up's choice from str.ini, or the skin chooser's.
    void setSkin(std::string name, std::filesystem::path folder, QColor textColour);
    // Chosen once by the language's font rule.
    void setFonts(QFont normalFont, QFont titleFont);

signals:
    void skinChanged();
    void fontsChanged();

private:
    std::string name_;
    SkinStyle style_;
};

} // namespace kestrel
