#pragma once

#include "CChoiceDialog.h"
#include "DialogText.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of the seven multimedia functions. The choice
// index is the consumer usage table entry (0 "Next" ... 6 "Vol-").
class CMediaDialog final : public CChoiceDialog {
    Q_OBJECT

public:
    static constexpr std::array<DialogText, 7> kRows{{
        {"Next", "下一首", "下一首"},
        {"Previous", "上一首", "上一首"},
        {"Stop", "停止", "停止"},
        {"Play/Pause", "播放/暂停", "播放/暫停"},
        {"Mute", "静音", "靜音"},
        {"Vol+", "音量+", "音量+"},
        {"Vol-", "音量-", "音量-"},
    }};

    CMediaDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
