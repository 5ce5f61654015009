#include "config/TextTable.h"

#include <string_view>

namespace kestrel {

namespace {

// One row of the text table: English, Simplified Chinese, Traditional Chinese.
struct Row {
    std::string_view english;
    std::string_view simplified;
    std::string_view traditional;
};

class RowPicker {
public:
    explicit RowPicker(Language language) : language_(language) {}

    std::string operator()(const Row& row) const
    {
        switch (language_) {
        case Language::SimplifiedChinese: return std::string(row.simplified);
        case Language::TraditionalChinese: return std::string(row.traditional);
        case Language::English: break;
        }
        return std::string(row.english);
    }

private:
    Language language_;
};

} // namespace

TextTable TextTable::forLanguage(Language language)
{
    const RowPicker text(language);
    TextTable t;
    t.basicSettings = text({"Basic Settings", "基本设置", "基本設置"});
    t.ok = text({"OK", "确定", "確定"});
    t.apply = text({"Apply", "应用", "應用"});
    t.cancel = text({"Cancel", "取消", "取消"});
    t.keySetting = text({"Key Setting", "按键设置", "按鍵設置"});
    t.reportRateSetting = text({"Report Rate Setting", "报告率设置", "報告率設置"});
    t.dpiSetting = text({"DPI Setting", "DPI设置", "DPI設置"});
    t.defaultKeys = text({"Default", "按键恢复", "按鍵恢復"});
    t.dpiEffect = text({"DPI Effect", "DPI显示特效", "DPI顯示特效"});
    t.mode = text({"Mode", "模式", "模式"});
    t.parameter = text({"Parameter", "参数", "參數"});
    t.effect = text({"Effect", "效果", "效果"});

    t.lightingModes = {
        text({"Off", "关闭模式", "關閉模式"}),
        text({"Standard", "标准模式", "標準模式"}),
        text({"Respiration", "呼吸模式", "呼吸模式"}),
        text({"Neon", "霓虹模式", "霓虹模式"}),
    };
    t.effects = {
        text({"Non-Disolay", "关闭", "關閉"}),
        text({"RGB Effect", "RGB效果", "RGB效果"}),
        text({"RGB Flash", "RGB闪烁", "RGB閃爍"}),
        text({"RGB Fixed On", "RGB常亮", "RGB常亮"}),
    };

    t.keyFunctions = {
        text({"Left Click", "左键", "左鍵"}),
        text({"Right Click", "右键", "右鍵"}),
        text({"Mid Click", "中键", "中鍵"}),
        text({"Forward", "前进方向键", "前進方向鍵"}),
        text({"Backward", "后退方向键", "後退方向鍵"}),
        text({"DPI Switch", "DPI切换", "DPI切換"}),
        text({"Windows", "Windows", "Windows"}),
        text({"Multimedia", "多媒体", "多媒體"}),
        text({"HotKey", "快捷键", "快速鍵"}),
        text({"Fire Key", "火力键", "火力鍵"}),
        text({"Single Key", "单键", "單鍵"}),
        text({"Snipe Key", "狙击", "狙擊"}),
        text({"Key Off", "按键关闭", "按鍵關閉"}),
        text({"Shift", "Shift", "Shift"}),
    };
    t.leftKeyRequired = text({"Left key must be selected!", "左键功能必须选择！", "左鍵功能必須選擇！"});

    t.reportRateNotices = {
        text({"Switch report rate into 1000HZ", "报告率切换到1000HZ", "報告率切換到1000HZ"}),
        text({"Switch report rate into 500HZ", "报告率切换到500HZ", "報告率切換到500HZ"}),
        text({"Switch report rate into 250HZ", "报告率切换到250HZ", "報告率切換到250HZ"}),
        text({"Switch report rate into 125HZ", "报告率切换到125HZ", "報告率切換到125HZ"}),
    };
    t.dpiStageNotices = {
        text({"Switch DPI into the first stage ", "DPI切换到第一段", "DPI切換到第一段"}),
        text({"Switch DPI into the second stage ", "DPI切换到第二段", "DPI切換到第二段"}),
        text({"Switch DPI into the third stage ", "DPI切换到第三段", "DPI切換到第三段"}),
        text({"Switch DPI into the fourth stage ", "DPI切换到第四段", "DPI切換到第四段"}),
    };
    t.keyGroupNotices = {
        text({"Switch to key matrix 1", "切换到按键组1", "切換到按鍵群組1"}),
        text({"Switch to key matrix 2", "切换到按键组2", "切換到按鍵群組2"}),
    };
    t.macroKeyNotice = text({"Switch to macro key", "切换到宏", "切換到巨集"});
    t.exit = text({"Exit", "退出", "退出"});
    t.mouseNotDetected = text({"The system did not detect the gaming mouse!", "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"});
    t.mouseDetected = text({"The system detect the gaming mouse.", "系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。"});

    t.iniSection = std::string(iniSectionName(language));
    return t;
}

} // namespace kestrel
