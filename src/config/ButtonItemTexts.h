#pragma once

#include "config/DeviceTables.h"

#include <array>
#include <string_view>

namespace kestrel {

// One text in the three interface languages (UTF-8).
struct LocalizedText {
    std::string_view english;
    std::string_view simplified;
    std::string_view traditional;
};

// The items a button can be given through the Multimedia, Windows and HotKey
// choices, in list order: Multimedia item k is consumer usage table entry k,
// Windows item k is entry 7 + k, HotKey item k is shortcut entry k.
struct ButtonItemTexts {
    static constexpr std::array<LocalizedText, DeviceTables::kFirstWindowsUsage> kMultimedia{{
        {"Next", "下一首", "下一首"},
        {"Previous", "上一首", "上一首"},
        {"Stop", "停止", "停止"},
        {"Play/Pause", "播放/暂停", "播放/暫停"},
        {"Mute", "静音", "靜音"},
        {"Vol+", "音量+", "音量+"},
        {"Vol-", "音量-", "音量-"},
    }};
    static constexpr std::array<LocalizedText, DeviceTables::kConsumerUsageCount - DeviceTables::kFirstWindowsUsage>
        kWindows{{
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
    static constexpr std::array<LocalizedText, DeviceTables::kShortcutCount> kHotKey{{
        {"Copy", "复制", "複製"},
        {"Cut", "剪切", "剪切"},
        {"Paste", "粘贴", "粘貼"},
        {"Select all", "全选", "全選"},
        {"Open", "打开", "打開"},
        {"New", "新建", "新建"},
        {"Save", "保存", "保存"},
        {"Undo", "撤销", "撤銷"},
    }};
};

} // namespace kestrel
