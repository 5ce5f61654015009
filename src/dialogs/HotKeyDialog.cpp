#include "dialogs/HotKeyDialog.h"

#include "skin/DialogLayout.h"
#include "skin/SkinFiles.h"

namespace kestrel {

namespace {

constexpr int kChoiceListId = 566;

} // namespace

HotKeyDialog::HotKeyDialog(const DialogContext& context, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kHotKeyDialog, QStringLiteral("HotKey Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kChoiceList, kChoiceListId},
                    parent, kRows)
{
}

} // namespace kestrel
