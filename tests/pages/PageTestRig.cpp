#include "PageTestRig.h"

#include <DialogTestSupport.h>

#include "skin/SkinImage.h"
#include "skin/MainWindowLayout.h"
#include "device/sim/MouseFirmware.h"
#include "skin/PopupListSet.h"
#include "skin/SkinFolder.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace kestrel::test {

PageTestRig::PageTestRig()
{
    const auto skins = program.path() / "Skins";
    std::filesystem::create_directories(skins);
    std::filesystem::copy(dialogtest::TestSkins::builtSkins(), skins, std::filesystem::copy_options::recursive);
    writeStrIni(kEnglishIni);
}

void PageTestRig::startWith(const SettingsRecord& settings, std::uint8_t sensorType, std::uint8_t firstRunFlag)
{
    writeConfigBin(settings, firstRunFlag);
    AppEnvironment env = environment();
    ConfigImage image = MouseFirmware::factoryImage();
    image.page(4)[ConfigImage::kPage4SensorType] = sensorType;
    env.makeBackend = [this, image](std::string&) {
        auto simulated = std::make_unique<SimulatedMouse>(image);
        mouse = simulated.get();
        if (!mousePlugged)
            mouse->vanish();
        for (const auto& [exchange, fault] : faults)
            mouse->failAt(exchange, fault);
        return simulated;
    };
    app = std::make_unique<Application>(std::move(env), prompter);
    result = app->start();
    showFromIcon();
}

void PageTestRig::showFromIcon()
{
    dlg().requestShow();
    dialogtest::settle();
}

const std::string& PageTestRig::caption(KeyGroup group, int button)
{
    return dlg().resources().captions[keygroup::slot(group, button)];
}

QListWidget* PageTestRig::list(PopupListId id) { return dlg().surface().skin().lists().list(id); }

QLabel* PageTestRig::labelAt(const QRect& rect)
{
    for (QLabel* label : dlg().findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->geometry() == rect)
            return label;
    }
    return nullptr;
}

void PageTestRig::click(QPoint point)
{
    dialogtest::click(dlg(), point);
    dialogtest::settle();
}

void PageTestRig::move(QPoint point) { dialogtest::move(dlg(), point); }

void PageTestRig::chooseFunction(int k, int row)
{
    click(mainlayout::keyDropDown(k).center());
    chooseRow(PopupListId::functionList(k), row);
}

void PageTestRig::chooseRow(PopupListId listId, int row)
{
    QListWidget* chosen = list(listId);
    ASSERT_NE(chosen, nullptr) << "list of kind " << static_cast<int>(listId.kind()) << " is not open";
    dialogtest::moveOverRow(*chosen, row);
    dialogtest::clickRow(*chosen, row);
    dialogtest::settle();
}

QRgb PageTestRig::canvasAt(QPoint point) { return dlg().surface().skin().canvas().image().pixel(point); }

QImage PageTestRig::canvasPart(const QRect& rect) { return dlg().surface().skin().canvas().image().copy(rect); }

QImage PageTestRig::skinImage(std::string_view skinFile, const std::string& skin) const
{
    return decodeSkinImage(SkinFolder::imagePath(skinFolder(skin), skinFile)).value_or(QImage());
}

bool PageTestRig::shows(std::string_view skinFile, QPoint at) { return showsWhere(skinFile, at, false); }

bool PageTestRig::showsEdges(std::string_view skinFile, QPoint at) { return showsWhere(skinFile, at, true); }

bool PageTestRig::showsWhere(std::string_view skinFile, QPoint at, bool edgesOnly)
{
    constexpr int kEdge = 2;
    const QImage image = skinImage(skinFile);
    if (image.isNull())
        return false;
    const QRect inside = image.rect().adjusted(0, kEdge, 0, -kEdge);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (edgesOnly && inside.contains(x, y))
                continue;
            if (qAlpha(pixel) == 255 && canvasAt(at + QPoint(x, y)) != (pixel | 0xff000000))
                return false;
        }
    }
    return true;
}

QImage PageTestRig::keyBox(int k) { return canvasPart(mainlayout::keyDropDown(k).adjusted(2, 2, -2, -2)); }

} // namespace kestrel::test
