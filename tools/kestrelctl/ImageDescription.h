#pragma once

#include "config/ConfigImage.h"

#include <ostream>

namespace kestrel::ctl {

// The mouse's configuration in words, read from its image: report rate, DPI
// stages with their colours, lighting, fire and snipe settings and the
// function of every button in both key groups. Values the program never
// writes are named by their code.
class ImageDescription {
public:
    explicit ImageDescription(const ConfigImage& image);
    void print(std::ostream& out) const;

private:
    void printStages(std::ostream& out) const;
    void printLighting(std::ostream& out) const;
    void printButtons(std::ostream& out) const;
    std::string describeButton(std::uint8_t value, std::uint8_t type) const;
    std::string describeConsumerEntry(std::uint8_t index) const;
    std::string describeShortcut(std::uint8_t entry) const;
    std::string dpiText(std::uint8_t code) const;

    const ConfigImage& image_;
};

} // namespace kestrel::ctl
