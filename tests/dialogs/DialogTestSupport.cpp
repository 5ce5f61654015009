#include "DialogTestSupport.h"

#include "skin/SkinImage.h"
#include "skin/SkinFiles.h"
#include "skin/SkinFolder.h"
#include "platform/XkbKeyNamer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QWheelEvent>

namespace kestrel::dialogtest {

namespace {

void sendMouse(QWidget& target, QEvent::Type type, QPoint point, Qt::MouseButton button)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, point, target.mapToGlobal(point), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

// Pixels near the edges of a button stay clear of its centred caption.
bool nearEdge(QPoint p, QSize size)
{
    return p.y() <= 1 || p.y() >= size.height() - 3 || p.x() <= 3 || p.x() >= size.width() - 4;
}

} // namespace

void ScriptedPrompter::showMessage(QWidget* parent, const QString& text, const QString& caption)
{
    messages.push_back({parent, text, caption});
}

std::optional<QColor> ScriptedPrompter::chooseColour(QWidget*, const QColor& initial)
{
    chooserStarts.push_back(initial);
    if (colours.empty())
        return std::nullopt;
    const std::optional<QColor> answer = colours.front();
    colours.pop_front();
    return answer;
}

int ScriptedPrompter::runDialog(QDialog& dialog) { return run ? run(dialog) : int(QDialog::Rejected); }

TestSkins::TestSkins() : root_(dir_.path().toStdU16String()) {}

std::filesystem::path TestSkins::builtSkins() { return std::filesystem::path(KESTREL_TEST_SKINS_DIR); }

std::filesystem::path TestSkins::copyOfDefault(std::string_view name)
{
    const std::filesystem::path folder = root_ / std::filesystem::path(std::string(name));
    std::filesystem::create_directories(folder);
    std::filesystem::copy(builtDefault(), folder,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    return folder;
}

DialogContext contextFor(Prompter& prompter, const std::filesystem::path& skinFolder, Language language)
{
    QFont font(language == Language::English ? QStringLiteral("Arial") : QStringLiteral("宋体"));
    font.setPixelSize(language == Language::English ? 14 : 13);
    // Test key events carry XKB keycodes, as on X11.
    static const XkbKeyNamer keyNamer;
    return {prompter, language, {skinFolder, QColor(kTextColour), font, QFont()}, QStringLiteral("kestrel"), keyNamer};
}

void click(QWidget& target, QPoint point, Qt::MouseButton button)
{
    sendMouse(target, QEvent::MouseButtonPress, point, button);
    sendMouse(target, QEvent::MouseButtonRelease, point, button);
}

void doubleClick(QWidget& target, QPoint point)
{
    click(target, point);
    sendMouse(target, QEvent::MouseButtonDblClick, point, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, point, Qt::LeftButton);
}

void move(QWidget& target, QPoint point)
{
    QMouseEvent event(QEvent::MouseMove, point, target.mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

void wheel(QWidget& target, QPoint point, int delta)
{
    QWheelEvent event(point, target.mapToGlobal(point), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &event);
}

void press(QWidget& target, int key, quint32 inputCode, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, inputCode + 8, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(&target, &event);
}

void release(QWidget& target, int key, quint32 inputCode, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyRelease, key, modifiers, inputCode + 8, 0, 0);
    QApplication::sendEvent(&target, &event);
}

void pressKey(QWidget& target, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

QPoint rowPoint(const QListWidget& list, int row) { return list.visualItemRect(list.item(row)).center(); }

void moveOverRow(QListWidget& list, int row) { move(*list.viewport(), rowPoint(list, row)); }

void clickRow(QListWidget& list, int row) { click(*list.viewport(), rowPoint(list, row)); }

bool showsOver(const SkinnedDialog& dialog, const std::filesystem::path& skinFolder, SkinnedDialog::FrameButton button)
{
    const bool close = button == SkinnedDialog::FrameButton::Close;
    const auto normal = decodeSkinImage(
        SkinFolder::imagePath(skinFolder, close ? skinfiles::kCloseNormal : skinfiles::kButtonNormal));
    const auto over =
        decodeSkinImage(SkinFolder::imagePath(skinFolder, close ? skinfiles::kCloseOver : skinfiles::kButtonOver));
    if (!normal || !over)
        return false;
    const QPoint origin = SkinnedDialog::rectOf(button).topLeft();
    for (int y = 0; y < over->height(); ++y) {
        for (int x = 0; x < over->width(); ++x) {
            const QRgb overPixel = over->pixel(x, y);
            const QRgb normalPixel = normal->pixel(x, y);
            if (qAlpha(overPixel) == 255 && qAlpha(normalPixel) == 255 && overPixel != normalPixel &&
                (close || nearEdge({x, y}, over->size())))
                return dialog.canvas().pixel(origin + QPoint(x, y)) == (overPixel | 0xff000000);
        }
    }
    return false;
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace kestrel::dialogtest
