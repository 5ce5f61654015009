#include "dialogs/SingleKeyDialog.h"

#include "dialogs/DialogText.h"

#include "skin/DialogLayout.h"
#include "config/KeyNames.h"
#include "skin/SkinFiles.h"

#include <QLabel>

namespace kestrel {

namespace {

constexpr DialogText kPrompt{"Please enter a key", "请输入一个按键", "請輸入一個按鍵"};

} // namespace

SingleKeyDialog::SingleKeyDialog(const DialogContext& context, QWidget* parent)
    : SkinnedDialog(context, skinfiles::kSingleKeyDialog,
                 QStringLiteral("Single Key Dialog Load background image failed!!!"), parent)
{
}

SingleKeyDialog::~SingleKeyDialog() = default;

std::uint8_t SingleKeyDialog::keyUsage() const { return KeyNames::keyUsageFromName(keyName()); }

void SingleKeyDialog::createControls()
{
    box_ = makeStaticBox(dialoglayout::kSingleKeyBox, Qt::AlignHCenter, keyName_);
    capture_ = std::make_unique<KeyCaptureFilter>(*this, context().keyNamer, [this](std::string_view name) { keyNamed(name); });
}

void SingleKeyDialog::done(int result)
{
    // However the dialog ended, it returns the key shown at that moment:
    // nothing typed afterwards, before the opener reads it, may change it.
    capture_.reset();
    SkinnedDialog::done(result);
}

void SingleKeyDialog::keyNamed(std::string_view name)
{
    keyName_ = utf8ToQString(name);
    if (box_)
        box_->setText(keyName_);
}

void SingleKeyDialog::drawOwnTexts(SkinPainter& painter)
{
    // The prompt is white whatever the skin text colour.
    drawText(painter, dialoglayout::kSingleKeyPrompt, kPrompt.in(language()), TextLayout::Centred, QColor(Qt::white));
}

} // namespace kestrel
