#pragma once

#include "dialogs/ChoiceDialog.h"
#include "dialogs/DialogText.h"

#include "config/DeviceTables.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of the eight Ctrl shortcuts. The choice index is
// the shortcut table entry (0 "Copy" ... 7 "Undo"); the label is the row text.
class HotKeyDialog final : public ChoiceDialog {
    Q_OBJECT

public:
    static constexpr auto kRows = dialogTexts(ButtonItemTexts::kHotKey);

    HotKeyDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
