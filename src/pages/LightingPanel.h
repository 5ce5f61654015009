#pragma once

#include "pages/PageHost.h"

#include "skin/PopupListId.h"

#include <QLabel>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>

namespace kestrel {

class SkinPainter;

// The lighting controls of the basic page: the "DPI Effect" panel with its
// "Mode", "Parameter" and "Effect" value boxes and their lists, and the four
// colour swatches of the DPI stages, each opening the colour chooser while
// its stage is in use. The Neon period and the effect bytes are only shown:
// nothing here writes them. Values outside their tables show an empty text.
class LightingPanel {
public:
    enum class ValueBox { Mode, Parameter, Effect };
    static constexpr int kSwatchCount = 4;

    explicit LightingPanel(const PageContext& context);
    ~LightingPanel();

    // The row labels "Mode", "Parameter", "Effect" and "Color".
    void drawLabels(SkinPainter& painter) const;
    // The swatches and the value boxes, from the settings record.
    void createControls();
    void destroyControls();

    void modeBoxPressed();
    void parameterBoxPressed();
    void effectBoxPressed();
    void swatchPressed(int stage);
    static bool ownsList(PopupListId id);
    void listChosen(PopupListId id);

    // Null while the control does not exist.
    QLabel* valueBox(ValueBox box) const { return boxes_[index(box)]; }
    QLabel* swatch(int stage) const { return swatches_[static_cast<std::size_t>(stage - 1)]; }

    // The texts the boxes show for a lighting mode, parameter row and effect value.
    static QString modeText(const TextTable& texts, std::uint8_t mode);
    static QString parameterText(std::uint8_t mode, const SettingsRecord& settings);
    static QString effectText(const TextTable& texts, std::uint8_t effect);

private:
    static std::size_t index(ValueBox box) { return static_cast<std::size_t>(box); }

    void createSwatches();
    void createValueBoxes();
    QLabel* makeValueBox(ValueBox box, const QString& text, bool sunken);
    // Shows the text in the box, making the box if the page build had not.
    void show(ValueBox box, const QString& text);
    void paintSwatch(int stage);
    void modeChosen(int row);
    void parameterChosen(int row);
    QString rgbEffectText() const;

    PageContext context_;
    std::array<QPointer<QLabel>, 3> boxes_;
    std::array<QPointer<QLabel>, kSwatchCount> swatches_;
};

} // namespace kestrel
