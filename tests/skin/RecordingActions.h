#pragma once

#include "skin/ClickActions.h"
#include "skin/SurfaceConditions.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrel::skintest {

// Answers every click action by writing down its name, in order.
class RecordingActions final : public WindowClickActions, public PageClickActions, public SurfaceActions {
public:
    std::vector<std::string> calls;
    // Runs after an action is written down, to change the program's state.
    std::function<void(const std::string&)> onCall;

    void ok() override { record("ok"); }
    void apply() override { record("apply"); }
    void openSkins() override { record("skins"); }
    void minimise() override { record("minimise"); }
    void closeProgram() override { record("close"); }
    void buildBasicPage() override { record("build"); }
    void cancel() override { record("cancel"); }

    void showKeyGroup(KeyGroup group) override { record("group " + std::to_string(keygroup::number(group))); }
    void defaultKeys() override { record("default"); }
    void keyDropDown(int k) override { record("dropdown " + std::to_string(k)); }
    void reportRateMark(int mark) override { record("mark " + std::to_string(mark)); }
    void stageSelectBox(int stage) override { record("select " + std::to_string(stage)); }
    void colourSwatch(int stage) override { record("swatch " + std::to_string(stage)); }
    void modeBox() override { record("mode"); }
    void parameterBox() override { record("parameter"); }
    void effectBox() override { record("effect"); }
    void dpiCell(int stage, int step) override { record("cell " + std::to_string(stage) + "/" + std::to_string(step)); }

    void closeListsAwayFrom(QPoint) override { record("close lists"); }
    void startDrag(QPoint) override { record("drag"); }

private:
    void record(const std::string& call)
    {
        calls.push_back(call);
        if (onCall)
            onCall(call);
    }
};

} // namespace kestrel::skintest
