#include "dialogs/SnipeKeyDialog.h"

#include "skin/DialogLayout.h"
#include "config/DpiTable.h"
#include "skin/SkinFiles.h"

namespace kestrel {

SnipeKeyDialog::SnipeKeyDialog(const DialogContext& context, std::uint8_t sensorType, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kSnipeKeyDialog, QStringLiteral("Snipe Dialog Load background image failed!!!"),
                    {dialoglayout::kSnipeFace, dialoglayout::kSnipeBox, dialoglayout::kSnipeList,
                     Qt::AlignLeft, true},
                    parent)
    , sensorType_(sensorType)
{
}

std::uint8_t SnipeKeyDialog::dpiCode() const { return DpiTable::code(sensorType_, choice().index, true); }

QStringList SnipeKeyDialog::rows() const
{
    QStringList labels;
    for (int level = 0; level < DpiTable::levelCount(sensorType_); ++level)
        labels.append(QString::fromStdString(DpiTable::label(sensorType_, level)));
    return labels;
}

} // namespace kestrel
