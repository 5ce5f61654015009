#pragma once

#include "dialogs/ChoiceDialog.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <string>

namespace kestrel {

// What the fire key dialog returns: the fire key list position and its
// label, how many times to fire (0 = until the button is released) and the
// press and release times.
struct FireKeyResult {
    int keyPosition = 0;
    std::string keyLabel;
    int fireCount = 1;
    int makeTime = 32;
    int breakTime = 32;

    // The keyboard usage the mouse fires: that of the list position, 0 past the list.
    std::uint8_t keyUsage() const;
};

// Sets up a rapid-fire button: the key from the 59-entry fire key list and
// three numbers typed into digit-only boxes. "Times" is checked on every
// change (0..127, else "1"); "Make Time" and "Break Time" when they lose the
// focus (5..255, else "5"). The boxes give way while the key list is open
// and come back with the texts they had.
class FireKeyDialog final : public ChoiceDialog {
    Q_OBJECT

public:
    enum class NumberBox { Times, MakeTime, BreakTime };

    static constexpr int kMaxFireCount = 127;
    static constexpr int kOutOfRangeFireCount = 1;
    static constexpr int kMinTime = 5;
    static constexpr int kMaxTime = 255;

    FireKeyDialog(const DialogContext& context, QWidget* parent);

    FireKeyResult fireKey() const;

    // What the dialog opens with instead of its defaults (call before
    // showing): the mouse's fire timing, which every fire key shares, and
    // the key and count of a button that is a fire key already. Values out
    // of their range leave the default in place.
    void openWithTiming(int makeTime, int breakTime);
    void openWithKey(int keyPosition, int fireCount);
    // The box, or null while the key list is open (or the dialog failed to open).
    QLineEdit* numberBox(NumberBox box) const { return boxes_[index(box)]; }

    // The decimal value of the text's leading digits; 0 when it has none.
    static int leadingNumber(const QString& text);

    void done(int result) override;

protected:
    QStringList rows() const override;
    void createOwnControls() override;
    void drawOwnTexts(SkinPainter& painter) override;
    void listOpening() override;
    void listClosed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::size_t index(NumberBox box) { return static_cast<std::size_t>(box); }

    void createBoxes();
    void destroyBoxes();
    void timesChanged(const QString& text);
    // The focus-loss check of a time box.
    void checkTime(NumberBox box);
    void openWithTime(NumberBox box, int value);

    std::array<QPointer<QLineEdit>, 3> boxes_;
    std::array<QString, 3> keptTexts_{QStringLiteral("1"), QStringLiteral("32"), QStringLiteral("32")};
    int fireCount_ = 1;
    int makeTime_ = 32;
    int breakTime_ = 32;
};

} // namespace kestrel
