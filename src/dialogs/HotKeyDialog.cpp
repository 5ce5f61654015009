#include "dialogs/HotKeyDialog.h"

#include "skin/DialogLayout.h"
#include "skin/SkinFiles.h"

namespace kestrel {

HotKeyDialog::HotKeyDialog(const DialogContext& context, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kHotKeyDialog, QStringLiteral("HotKey Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kChoiceList},
                    parent, kRows)
{
}

} // namespace kestrel
