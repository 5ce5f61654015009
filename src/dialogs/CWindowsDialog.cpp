#include "CWindowsDialog.h"

#include <DeviceTables.h>
#include <DialogLayout.h>
#include <SkinFiles.h>

namespace kestrel {

namespace {

constexpr int kChoiceListId = 533;

static_assert(DeviceTables::kFirstWindowsUsage + CWindowsDialog::kRows.size() == DeviceTables::kConsumerUsageCount,
              "the Windows rows are the last consumer entries");

} // namespace

CWindowsDialog::CWindowsDialog(const DialogContext& context, QWidget* parent)
    : CChoiceDialog(context, skinfiles::kWindowsKeyDialog,
                    QStringLiteral("Windows Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kWindowsChoiceList,
                     kChoiceListId},
                    parent, kRows)
{
}

} // namespace kestrel
