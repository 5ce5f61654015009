#pragma once

#include "app/MainWindowSurface.h"
#include "app/ProgramState.h"

#include "skin/MainWindowSkin.h"

class QWidget;

namespace kestrel {

class MainWindow;

// The main window's skinned surface: the skin toolkit's surface, answering
// from the program's state. The window buttons it can answer itself
// (minimise, close, page button) it does; "OK", "Apply", "Cancel" and the
// skin button go to the commands set by the parts that own them.
class SkinnedSurface final : public MainWindowSurface,
                             private SurfaceConditions,
                             private WindowClickActions,
                             private SurfaceCaptions {
public:
    SkinnedSurface(MainWindow& dlg, ProgramState& state, const SkinSettings& skinSettings);

    MainWindowSkin& skin() { return skin_; }
    void setCommands(WindowClickActions* commands) { commands_ = commands; }

    void paint(QPainter& painter, const QRect& dirty) override;
    void mousePress(QMouseEvent& event) override;
    void mouseMove(QMouseEvent& event) override;
    void mouseLeave() override;

private:
    bool mousePresent() const override { return state_.device.present; }
    bool pageBuilt() const override { return state_.flags.pageState == PageState::Built; }
    std::uint8_t sensorType() const override { return state_.device.sensorType(); }

    void ok() override;
    void apply() override;
    void openSkins() override;
    void minimise() override;
    void closeProgram() override;
    void buildBasicPage() override;
    void cancel() override;

    QString buttonCaption(HoverId id) const override;
    QString keyCaption(int k) const override;

    MainWindow& dlg_;
    ProgramState& state_;
    WindowClickActions* commands_ = nullptr;
    MainWindowSkin skin_;
};

} // namespace kestrel
