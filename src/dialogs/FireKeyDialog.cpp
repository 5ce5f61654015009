#include "dialogs/FireKeyDialog.h"

#include "dialogs/DialogText.h"

#include "skin/DialogLayout.h"
#include "skin/HotRect.h"
#include "config/KeyNames.h"
#include "skin/SkinFiles.h"

#include <QEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kestrel {

namespace {

// A number past every range the boxes accept; longer digit runs stop growing here.
constexpr int kNumberCeiling = 1'000'000;

struct NumberBoxLayout {
    QRect box;
    QRect label;
    DialogText caption;
};

// Each label is right-aligned from 90 to 5 pixels left of its box.
constexpr std::array<NumberBoxLayout, 3> kBoxes{{
    {dialoglayout::kFireTimesEdit, hotRect(-7, 104, 78, 118), {"Times", "次数", "次數"}},
    {dialoglayout::kFireMakeTimeEdit, hotRect(-7, 138, 78, 152), {"Make Time", "按下时间", "按下時間"}},
    {dialoglayout::kFireBreakTimeEdit, hotRect(-7, 172, 78, 186), {"Break Time", "弹起时间", "彈起時間"}},
}};

constexpr QRect kTimeNote = hotRect(23, 198, 433, 224);
constexpr DialogText kTimeNoteText{"Time (value range 5-255)", "时间(数值范围5-255)", "時間(數值範圍5-255)"};
constexpr QRect kTimesNote = hotRect(23, 214, 433, 240);
constexpr DialogText kTimesNoteText{
    "Times (value range 0-127,0 indicates fire key to end when the key released)",
    "次数(数值范围0-127，0表示按键放开火力键结束)",
    "次數(數值範圍0-127，0表示按鍵放開火力鍵結束)",
};

} // namespace

std::uint8_t FireKeyResult::keyUsage() const
{
    return keyPosition >= 0 ? KeyNames::fireKeyUsage(static_cast<std::size_t>(keyPosition)) : 0;
}

FireKeyDialog::FireKeyDialog(const DialogContext& context, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kFireKeyDialog,
                    QStringLiteral("FireKey Dialog Load background image failed!!!"),
                    {dialoglayout::kFireKeyFace, dialoglayout::kFireKeyBox, dialoglayout::kFireKeyList,
                     Qt::AlignHCenter, true},
                    parent)
{
    setChoice(0, utf8ToQString(KeyNames::fireKeyList().front().name));
}

FireKeyResult FireKeyDialog::fireKey() const
{
    const ChoiceResult key = choice();
    return {key.index, key.label, fireCount_, makeTime_, breakTime_};
}

void FireKeyDialog::openWithTiming(int makeTime, int breakTime)
{
    openWithTime(NumberBox::MakeTime, makeTime);
    openWithTime(NumberBox::BreakTime, breakTime);
}

void FireKeyDialog::openWithTime(NumberBox box, int value)
{
    if (value < kMinTime || value > kMaxTime)
        return;
    keptTexts_[index(box)] = QString::number(value);
    (box == NumberBox::MakeTime ? makeTime_ : breakTime_) = value;
}

void FireKeyDialog::openWithKey(int keyPosition, int fireCount)
{
    openOnRow(keyPosition);
    if (fireCount < 0 || fireCount > kMaxFireCount)
        return;
    keptTexts_[index(NumberBox::Times)] = QString::number(fireCount);
    fireCount_ = fireCount;
}

int FireKeyDialog::leadingNumber(const QString& text)
{
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min(value * 10 + (c.unicode() - '0'), kNumberCeiling);
    }
    return value;
}

QStringList FireKeyDialog::rows() const
{
    QStringList labels;
    for (const KeyEntry& entry : KeyNames::fireKeyList())
        labels.append(utf8ToQString(entry.name));
    return labels;
}

void FireKeyDialog::createOwnControls() { createBoxes(); }

void FireKeyDialog::createBoxes()
{
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setGeometry(kBoxes[i].box);
        box->setFrame(false);
        box->setTextMargins(0, 0, 0, 0);
        box->setAlignment(Qt::AlignCenter);
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
        colourControl(*box);
        box->setText(keptTexts_[i]);
        boxes_[i] = box;
        box->show();
    }
    connect(boxes_[index(NumberBox::Times)], &QLineEdit::textChanged, this, &FireKeyDialog::timesChanged);
    boxes_[index(NumberBox::MakeTime)]->installEventFilter(this);
    boxes_[index(NumberBox::BreakTime)]->installEventFilter(this);
}

void FireKeyDialog::destroyBoxes()
{
    for (QPointer<QLineEdit>& box : boxes_) {
        if (!box)
            continue;
        // A box that gives way while focused loses its focus first, with its check.
        if (box->hasFocus())
            box->clearFocus();
        QLineEdit* gone = box;
        box = nullptr;
        gone->hide();
        gone->deleteLater();
    }
}

void FireKeyDialog::listOpening() { destroyBoxes(); }

void FireKeyDialog::listClosed()
{
    if (!boxes_[0])
        createBoxes();
}

void FireKeyDialog::timesChanged(const QString& text)
{
    keptTexts_[index(NumberBox::Times)] = text;
    const int value = leadingNumber(text);
    if (value > kMaxFireCount) {
        // Setting the text comes back here with "1".
        boxes_[index(NumberBox::Times)]->setText(QString::number(kOutOfRangeFireCount));
        return;
    }
    fireCount_ = value;
}

void FireKeyDialog::checkTime(NumberBox which)
{
    QLineEdit* box = boxes_[index(which)];
    if (box == nullptr)
        return;
    int value = leadingNumber(box->text());
    if (value < kMinTime || value > kMaxTime) {
        value = kMinTime;
        box->setText(QString::number(kMinTime));
    }
    keptTexts_[index(which)] = box->text();
    (which == NumberBox::MakeTime ? makeTime_ : breakTime_) = value;
}

bool FireKeyDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == boxes_[index(NumberBox::MakeTime)])
            checkTime(NumberBox::MakeTime);
        else if (watched == boxes_[index(NumberBox::BreakTime)])
            checkTime(NumberBox::BreakTime);
    }
    return ChoiceDialog::eventFilter(watched, event);
}

void FireKeyDialog::done(int result)
{
    // A time typed but not yet left is checked and taken, as leaving the box would.
    if (result == QDialog::Accepted) {
        checkTime(NumberBox::MakeTime);
        checkTime(NumberBox::BreakTime);
    }
    ChoiceDialog::done(result);
}

void FireKeyDialog::drawOwnTexts(SkinPainter& painter)
{
    for (const NumberBoxLayout& box : kBoxes)
        drawText(painter, box.label, box.caption.in(language()), TextLayout::Right);
    drawText(painter, kTimeNote, kTimeNoteText.in(language()), TextLayout::Left);
    drawText(painter, kTimesNote, kTimesNoteText.in(language()), TextLayout::Left);
}

} // namespace kestrel
