#pragma once

#include "dialogs/ChoiceDialog.h"
#include "dialogs/DialogText.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of the seven multimedia functions. The choice
// index is the consumer usage table entry (0 "Next" ... 6 "Vol-").
class MediaKeyDialog final : public ChoiceDialog {
    Q_OBJECT

public:
    static constexpr auto kRows = dialogTexts(ButtonItemTexts::kMultimedia);

    MediaKeyDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
