#pragma once

#include "CChoiceDialog.h"
#include "DialogText.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of the seven multimedia functions. The choice
// index is the consumer usage table entry (0 "Next" ... 6 "Vol-").
class CMediaDialog final : public CChoiceDialog {
    Q_OBJECT

public:
    static constexpr auto kRows = dialogTexts(ButtonItemTexts::kMultimedia);

    CMediaDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
