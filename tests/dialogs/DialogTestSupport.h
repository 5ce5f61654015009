#pragma once

#include "dialogs/SkinnedDialog.h"
#include "dialogs/DialogContext.h"
#include "skin/Prompter.h"

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QListWidget;
class QWidget;

namespace kestrel::dialogtest {

// Answers the dialogs' prompts from a script and records what was asked:
// message boxes with their owner, colour choosers with their starting colour
// (answered from a queue, cancelled when it is empty) and modal runs
// (answered by a function that drives the dialog, rejected without one).
class ScriptedPrompter final : public Prompter {
public:
    struct Message {
        QWidget* owner;
        QString text;
        QString caption;
    };

    void showMessage(QWidget* parent, const QString& text, const QString& caption) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    int runDialog(QDialog& dialog) override;

    std::vector<Message> messages;
    std::vector<QColor> chooserStarts;
    std::deque<std::optional<QColor>> colours;
    std::function<int(QDialog&)> run;
};

// The skins the build generated, and temporary copies to break.
class TestSkins {
public:
    TestSkins();

    static std::filesystem::path builtSkins();
    static std::filesystem::path builtDefault() { return builtSkins() / "Default"; }
    // A temporary skins root holding a copy of the Default skin under the name.
    std::filesystem::path copyOfDefault(std::string_view name);
    // The temporary skins root.
    std::filesystem::path root() const { return root_; }

private:
    QTemporaryDir dir_;
    std::filesystem::path root_;
};

inline constexpr QRgb kTextColour = 0xff2020;

DialogContext contextFor(Prompter& prompter, const std::filesystem::path& skinFolder,
                         Language language = Language::English);

// Input as the window system delivers it.
void click(QWidget& target, QPoint point, Qt::MouseButton button = Qt::LeftButton);
void doubleClick(QWidget& target, QPoint point);
void move(QWidget& target, QPoint point);
void wheel(QWidget& target, QPoint point, int delta);
void press(QWidget& target, int key, quint32 inputCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           bool autoRepeat = false);
void release(QWidget& target, int key, quint32 inputCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void pressKey(QWidget& target, int key);

// The centre of a row of a list, in the list's viewport.
QPoint rowPoint(const QListWidget& list, int row);
void moveOverRow(QListWidget& list, int row);
void clickRow(QListWidget& list, int row);

// Whether the canvas shows the button's hover image rather than its normal one,
// judged at a pixel where the two images differ.
bool showsOver(const SkinnedDialog& dialog, const std::filesystem::path& skinFolder, SkinnedDialog::FrameButton button);

// Lets queued calls and deferred deletions run.
void settle();

} // namespace kestrel::dialogtest
