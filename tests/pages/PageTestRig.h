#pragma once

#include <AppTestRig.h>

#include "config/ConfigImage.h"
#include "config/SettingsRecord.h"

#include "skin/PopupListId.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QLabel;
class QListWidget;

namespace kestrel::test {

// Key groups as the settings record numbers them, and rows of the function list.
inline constexpr KeyGroup kGroup1 = KeyGroup::ModeA;
inline constexpr KeyGroup kGroup2 = KeyGroup::ModeB;
inline constexpr int kForwardRow = 3;
inline constexpr int kDpiSwitchRow = 5;
inline constexpr int kWindowsRow = 6;
inline constexpr int kMultimediaRow = 7;
inline constexpr int kHotKeyRow = 8;
inline constexpr int kFireKeyRow = 9;
inline constexpr int kSingleKeyRow = 10;
inline constexpr int kSnipeKeyRow = 11;
inline constexpr int kKeyOffRow = 12;
inline constexpr int kShiftRow = 13;

// The window program started in a temporary program folder that holds the
// generated skins, against a simulated mouse of a chosen sensor type, and
// driven by the mouse at the page's coordinates.
class PageTestRig : public AppTestRig {
public:
    static constexpr std::string_view kEnglishIni =
        "[Skins]\nLan=EN\nPath=Default\nRColor=0\nGColor=255\nBColor=0\n";

    PageTestRig();

    // Starts with the settings in config.bin (first-run flag given; with 0
    // the first build stores the default captions) and the mouse's image
    // with the sensor type.
    void startWith(const SettingsRecord& settings, std::uint8_t sensorType = 1, std::uint8_t firstRunFlag = 0);
    void startWith(std::uint8_t sensorType = 1) { startWith(defaultSettingsRecord(), sensorType); }

    SettingsRecord& settings() { return state().settings; }
    // Faults planted in the mouse when start-up creates it.
    std::vector<std::pair<int, SimulatedFault>> faults;
    const std::string& caption(KeyGroup group, int button);
    QListWidget* list(PopupListId id);
    // The static child of the window at exactly this rectangle, if any.
    QLabel* labelAt(const QRect& rect);

    void click(QPoint point);
    void move(QPoint point);
    // Opens the function list of drop-down k and chooses the row.
    void chooseFunction(int k, int row);
    void chooseRow(PopupListId listId, int row);
    // Shows the window from the notification icon.
    void showFromIcon();

    QRgb canvasAt(QPoint point);
    QImage canvasPart(const QRect& rect);
    // Whether every opaque pixel of the skin image shows on the canvas at the point.
    bool shows(std::string_view skinFile, QPoint at);
    // The same for the pixels along the image's top and bottom edges, clear of its caption.
    bool showsEdges(std::string_view skinFile, QPoint at);
    // The inside of key drop-down k: its digit and caption on the box image.
    QImage keyBox(int k);

    std::filesystem::path skinFolder(const std::string& name) const { return program.path() / "Skins" / name; }
    // The skin image as decoded for drawing.
    QImage skinImage(std::string_view skinFile, const std::string& skin = "Default") const;

private:
    bool showsWhere(std::string_view skinFile, QPoint at, bool edgesOnly);
};

} // namespace kestrel::test
