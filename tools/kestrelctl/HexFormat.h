#pragma once

#include "config/ConfigImage.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kestrel::ctl {

// Bytes as two upper-case hex digits each, separated by single spaces.
std::string hexBytes(std::span<const std::uint8_t> bytes);

// "usage_page=0xPPPP usage=0xUUUU feature_length=N": how a HID collection is shown.
std::string collectionFields(std::uint16_t usagePage, std::uint16_t usage, std::uint16_t featureLength);

// An image as six lines: the status pair, then pages 1 to 5.
void printImage(std::ostream& out, const ConfigImage& image);

// Each byte the mouse gave back otherwise than it was written, one line each:
// "page N byte 0xXX: wrote AA, read BB" (or "status byte 0: ..." for the report rate).
std::vector<std::string> imageDifferences(const ConfigImage& written, const ConfigImage& readBack);

} // namespace kestrel::ctl
