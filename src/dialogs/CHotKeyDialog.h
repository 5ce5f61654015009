#pragma once

#include "CChoiceDialog.h"
#include "DialogText.h"

#include <DeviceTables.h>

#include <array>

namespace kestrel {

// Gives a mouse button one of the eight Ctrl shortcuts. The choice index is
// the shortcut table entry (0 "Copy" ... 7 "Undo"); the label is the row text.
class CHotKeyDialog final : public CChoiceDialog {
    Q_OBJECT

public:
    static constexpr std::array<DialogText, DeviceTables::kShortcutCount> kRows{{
        {"Copy", "复制", "複製"},
        {"Cut", "剪切", "剪切"},
        {"Paste", "粘贴", "粘貼"},
        {"Select all", "全选", "全選"},
        {"Open", "打开", "打開"},
        {"New", "新建", "新建"},
        {"Save", "保存", "保存"},
        {"Undo", "撤销", "撤銷"},
    }};

    CHotKeyDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
