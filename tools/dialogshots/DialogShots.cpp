#include "DialogShots.h"

#include "dialogs/FireKeyDialog.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/MediaKeyDialog.h"
#include "dialogs/SingleKeyDialog.h"
#include "dialogs/SkinsDialog.h"
#include "dialogs/SnipeKeyDialog.h"
#include "dialogs/WindowsKeyDialog.h"
#include "skin/DialogLayout.h"
#include "platform/ScanCodeNames.h"
#include "platform/XkbKeyNamer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>

#include <utility>

namespace kestrel {

namespace {

// The skin text colour the shipped str.ini sets.
const QColor kShippedTextColour(230, 230, 230);
// The Linux input code of the right Ctrl key.
constexpr quint32 kRightCtrlInputCode = 97;

QFont fontFor(Language language)
{
    QFont font(language == Language::English ? QStringLiteral("Arial") : QStringLiteral("宋体"));
    font.setPixelSize(language == Language::English ? 14 : 13);
    return font;
}

void click(QWidget& target, QPoint point)
{
    QMouseEvent press(QEvent::MouseButtonPress, point, target.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
}

} // namespace

DialogShots::DialogShots(Prompter& prompter, std::filesystem::path skinsRoot, QDir output)
    : prompter_(prompter), skinsRoot_(std::move(skinsRoot)), output_(std::move(output))
{
}

DialogContext DialogShots::context(Language language, const char* skin) const
{
    // The shots are taken under X11 or offscreen, whose key events carry XKB keycodes.
    static const XkbKeyNamer keyNamer;
    return {prompter_, language, {skinsRoot_ / skin, kShippedTextColour, fontFor(language), QFont()},
            QStringLiteral("kestrel"), keyNamer};
}

bool DialogShots::save(SkinnedDialog& dialog, const QString& name)
{
    QApplication::processEvents();
    const QString path = output_.filePath(QStringLiteral("dialog-") + name + QStringLiteral(".png"));
    if (dialog.grab().save(path, "PNG"))
        return true;
    failedFile_ = path;
    return false;
}

void DialogShots::openListAt(ChoiceDialog& dialog, int row)
{
    click(dialog, dialog.choiceLayout().face.center());
    QListWidget* list = dialog.choiceList();
    if (list == nullptr || row >= list->count())
        return;
    list->scrollToItem(list->item(row));
    const QPoint point = list->visualItemRect(list->item(row)).center();
    QMouseEvent move(QEvent::MouseMove, point, list->viewport()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
}

void DialogShots::hover(SkinnedDialog& dialog, QRect button) { dialog.hoverNotice(button.center()); }

bool DialogShots::fireKey()
{
    FireKeyDialog boxes(context(Language::English), nullptr);
    boxes.show();
    boxes.numberBox(FireKeyDialog::NumberBox::Times)->setText(QStringLiteral("10"));
    hover(boxes, SkinnedDialog::rectOf(SkinnedDialog::FrameButton::Ok));
    FireKeyDialog list(context(Language::SimplifiedChinese), nullptr);
    list.show();
    openListAt(list, 44);
    return save(boxes, QStringLiteral("fire-key")) && save(list, QStringLiteral("fire-key-list-chs"));
}

bool DialogShots::choiceDialogs()
{
    HotKeyDialog hotKey(context(Language::English), nullptr);
    hotKey.show();
    openListAt(hotKey, 3);
    MediaKeyDialog media(context(Language::TraditionalChinese, "Crimson"), nullptr);
    media.show();
    openListAt(media, 5);
    WindowsKeyDialog windows(context(Language::English), nullptr);
    windows.show();
    openListAt(windows, 8);
    SnipeKeyDialog snipe(context(Language::English), 0, nullptr);
    snipe.show();
    openListAt(snipe, 11);
    return save(hotKey, QStringLiteral("hot-key-list")) && save(media, QStringLiteral("media-key-list-crimson-cht")) &&
           save(windows, QStringLiteral("windows-key-list")) && save(snipe, QStringLiteral("snipe-key-list"));
}

bool DialogShots::singleKey()
{
    SingleKeyDialog dialog(context(Language::English), nullptr);
    dialog.show();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier,
                    kRightCtrlInputCode + ScanCodeNames::kXkbOffset, 0, 0);
    QApplication::sendEvent(&dialog, &press);
    hover(dialog, SkinnedDialog::rectOf(SkinnedDialog::FrameButton::Close));
    return save(dialog, QStringLiteral("single-key"));
}

bool DialogShots::skins()
{
    SkinsDialog dialog(context(Language::English), {skinsRoot_}, "Default", nullptr);
    dialog.show();
    openListAt(dialog, 1);
    SkinsDialog chinese(context(Language::SimplifiedChinese, "Glacier"), {skinsRoot_}, "Glacier", nullptr);
    chinese.show();
    hover(chinese, SkinnedDialog::rectOf(SkinnedDialog::FrameButton::Cancel));
    return save(dialog, QStringLiteral("skins-list")) && save(chinese, QStringLiteral("skins-glacier-chs"));
}

bool DialogShots::renderAll() { return fireKey() && choiceDialogs() && singleKey() && skins(); }

} // namespace kestrel
