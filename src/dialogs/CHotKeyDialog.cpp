#include "CHotKeyDialog.h"

#include <DialogLayout.h>
#include <SkinFiles.h>

namespace kestrel {

namespace {

constexpr int kChoiceListId = 566;

} // namespace

CHotKeyDialog::CHotKeyDialog(const DialogContext& context, QWidget* parent)
    : CChoiceDialog(context, skinfiles::kHotKeyDialog, QStringLiteral("HotKey Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kChoiceList, kChoiceListId},
                    parent, kRows)
{
}

} // namespace kestrel
