#include "dialogs/MediaKeyDialog.h"

#include "config/DeviceTables.h"
#include "skin/DialogLayout.h"
#include "skin/SkinFiles.h"

namespace kestrel {

namespace {

static_assert(MediaKeyDialog::kRows.size() == DeviceTables::kFirstWindowsUsage,
              "the multimedia rows are the consumer entries before the Windows ones");

} // namespace

MediaKeyDialog::MediaKeyDialog(const DialogContext& context, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kMediaDialog, QStringLiteral("Media Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kChoiceList},
                    parent, kRows)
{
}

} // namespace kestrel
