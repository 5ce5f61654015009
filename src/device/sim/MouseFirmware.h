#pragma once

#include "device/ReportScrambler.h"

#include "config/ConfigImage.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kestrel {

// The mouse's side of the feature-report protocol: it holds a configuration
// image, answers the status query, stores the pages written to it and returns
// the pages asked for. Requests arrive scrambled and replies leave scrambled
// while `scrambled` is on, as they do on a real mouse once the program has
// switched scrambling on. Transports (in-process, uhid) feed it whole reports
// including the report ID byte.
class MouseFirmware {
public:
    explicit MouseFirmware(const ConfigImage& image = factoryImage(), bool scrambled = true);

    // A plausible image as shipped: sensor type 1, 1000 Hz, stage 1, and
    // non-zero bytes everywhere the program only carries.
    static ConfigImage factoryImage();

    void setStatusReport(std::span<const std::uint8_t> report);
    void getStatusReport(std::span<std::uint8_t> report);
    void setDataReport(std::span<const std::uint8_t> report);
    void getDataReport(std::span<std::uint8_t> report);

    const ConfigImage& image() const { return image_; }
    void setImage(const ConfigImage& image) { image_ = image; }
    // True once the image changed since the last call; lets a transport save it.
    bool takeImageChanged();

private:
    enum class Pending { None, WritePage, ReadPage };

    void handleCommand(std::uint8_t command, std::uint8_t data0, std::uint8_t data1);

    ConfigImage image_;
    bool scrambled_;
    ReportScrambler scrambler_;
    std::uint8_t lastCommand_ = 0;
    Pending pending_ = Pending::None;
    int pendingPage_ = 0;
    bool imageChanged_ = false;
};

} // namespace kestrel
