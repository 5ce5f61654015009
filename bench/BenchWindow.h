#pragma once

#include "skin/ClickActions.h"
#include "skin/MainWindowSkin.h"
#include "skin/SkinSettings.h"
#include "skin/SurfaceConditions.h"
#include "config/TextTable.h"

#include <QWidget>

namespace kestrel::bench {

// A main window stand-in with a real skinned surface on the Default skin:
// it paints its canvas, and its page draws the whole basic page the way a
// page build does, every image read from disk.
class BenchWindow final : public QWidget,
                          private SurfaceConditions,
                          private WindowClickActions,
                          private SurfaceCaptions {
public:
    BenchWindow();

    MainWindowSkin& surface() { return surface_; }
    // One composition of the full basic page, copied to the window.
    void composePage();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool mousePresent() const override { return true; }
    bool pageBuilt() const override { return true; }
    std::uint8_t sensorType() const override { return 0; }
    void ok() override {}
    void apply() override {}
    void openSkins() override {}
    void minimise() override {}
    void closeProgram() override {}
    void buildBasicPage() override {}
    void cancel() override {}
    QString buttonCaption(HoverId id) const override;
    QString keyCaption(int k) const override;

    void drawReportRateAndDpi(SkinPainter& painter) const;

    TextTable texts_ = TextTable::forLanguage(Language::English);
    SkinSettings settings_;
    MainWindowSkin surface_;
};

} // namespace kestrel::bench
