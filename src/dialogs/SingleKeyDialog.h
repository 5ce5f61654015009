#pragma once

#include "dialogs/SkinnedDialog.h"
#include "dialogs/DialogText.h"
#include "dialogs/KeyCaptureFilter.h"

#include <QLabel>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace kestrel {

// Gives a mouse button the function of one keyboard key, captured by
// pressing it: every key press, repeat and release is named (English key
// names, left and right modifiers apart) and the last name is shown and
// returned. Enter and Escape are captured like any key, so only the OK,
// Cancel and close buttons end the dialog; F1 is a key like any other
// and opens no help. A dialog
// whose background failed to load could never be ended, so it ends as
// cancelled right after the failure message.
class SingleKeyDialog final : public SkinnedDialog {
    Q_OBJECT

public:
    SingleKeyDialog(const DialogContext& context, QWidget* parent);
    ~SingleKeyDialog() override;

    // UTF-8; empty until a key is pressed, unless the dialog opened on a key.
    std::string keyName() const { return keyName_.toStdString(); }
    // The key shown when the dialog opens (call before showing): the one the
    // button sends already.
    void openWithKey(std::string_view name) { keyName_ = utf8ToQString(name); }
    // The keyboard usage of the name; 0 for a name outside the key name table.
    std::uint8_t keyUsage() const;
    QLabel* keyNameBox() const { return box_; }
    bool isCapturing() const { return capture_ != nullptr; }

    // Ending the dialog, by OK, Cancel or the close button, ends the capture.
    void done(int result) override;

protected:
    void createControls() override;
    void drawOwnTexts(SkinPainter& painter) override;

private:
    void keyNamed(std::string_view name);

    QString keyName_;
    QPointer<QLabel> box_;
    std::unique_ptr<KeyCaptureFilter> capture_;
};

} // namespace kestrel
