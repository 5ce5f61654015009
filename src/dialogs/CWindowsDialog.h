#pragma once

#include "CChoiceDialog.h"
#include "DialogText.h"

#include <array>

namespace kestrel {

// Gives a mouse button one of nine system or browser functions. The choice
// index is the row 0..8; the consumer usage table entry is the row + 7.
class CWindowsDialog final : public CChoiceDialog {
    Q_OBJECT

public:
    static constexpr std::array<DialogText, 9> kRows{{
        {"Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"},
        {"Mail", "邮件", "郵件"},
        {"Calculator", "计算器", "計算器"},
        {"My Computer", "我的电脑", "我的電腦"},
        {"Browser-Search", "浏览器-搜索", "瀏覽器-搜索"},
        {"Browser-Home", "浏览器-主页", "瀏覽器-主頁"},
        {"Browser-Back", "浏览器-后退", "瀏覽器-後退"},
        {"Browser-Forward", "浏览器-前进", "瀏覽器-前進"},
        {"Browser-Refresh", "浏览器-刷新", "瀏覽器-刷新"},
    }};

    CWindowsDialog(const DialogContext& context, QWidget* parent);
};

} // namespace kestrel
