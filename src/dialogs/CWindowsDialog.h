#pragma once

#include "CChoiceDialog.h"
#include "DialogText.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of nine system or browser functions. The choice
// index is the row 0..8; the consumer usage table entry is the row + 7.
class CWindowsDialog final : public CChoiceDialog {
    Q_OBJECT

public:
    static constexpr auto kRows = dialogTexts(ButtonItemTexts::kWindows);

    CWindowsDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
