#include "dialogs/WindowsKeyDialog.h"

#include "config/DeviceTables.h"
#include "skin/DialogLayout.h"
#include "skin/SkinFiles.h"

namespace kestrel {

namespace {

static_assert(DeviceTables::kFirstWindowsUsage + WindowsKeyDialog::kRows.size() == DeviceTables::kConsumerUsageCount,
              "the Windows rows are the last consumer entries");

} // namespace

WindowsKeyDialog::WindowsKeyDialog(const DialogContext& context, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kWindowsKeyDialog,
                    QStringLiteral("Windows Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kWindowsChoiceList},
                    parent, kRows)
{
}

} // namespace kestrel
