#pragma once

#include "dialogs/ChoiceDialog.h"
#include "dialogs/DialogText.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of nine system or browser functions. The choice
// index is the row 0..8; the consumer usage table entry is the row + 7.
class WindowsKeyDialog final : public ChoiceDialog {
    Q_OBJECT

public:
    static constexpr auto kRows = dialogTexts(ButtonItemTexts::kWindows);

    WindowsKeyDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
