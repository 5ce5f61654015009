#pragma once

#include "dialogs/ChoiceDialog.h"

#include <cstdint>

namespace kestrel {

// Chooses the DPI a snipe button holds while pressed, among the DPI levels
// of the mouse's sensor type. The choice index is the DPI level; a sensor
// type without levels leaves the list empty and the level at 0.
class SnipeKeyDialog final : public ChoiceDialog {
    Q_OBJECT

public:
    SnipeKeyDialog(const DialogContext& context, std::uint8_t sensorType, QWidget* parent);

    // The snipe DPI code of the chosen level (the level's code, in use).
    std::uint8_t dpiCode() const;

protected:
    QStringList rows() const override;

private:
    std::uint8_t sensorType_;
};

} // namespace kestrel
