#include "HexFormat.h"

#include <cstdio>

namespace kestrel::ctl {

std::string hexBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

std::string collectionFields(std::uint16_t usagePage, std::uint16_t usage, std::uint16_t featureLength)
{
    char text[64];
    std::snprintf(text, sizeof text, "usage_page=0x%04X usage=0x%04X feature_length=%u", unsigned{usagePage},
                  unsigned{usage}, unsigned{featureLength});
    return text;
}

void printImage(std::ostream& out, const ConfigImage& image)
{
    out << hexBytes(image.statusPair()) << '\n';
    for (int n = 1; n <= ConfigImage::kPageCount; ++n)
        out << hexBytes(image.page(n)) << '\n';
}

} // namespace kestrel::ctl

namespace kestrel::ctl {

namespace {

std::string difference(const std::string& where, std::uint8_t written, std::uint8_t readBack)
{
    char text[32];
    std::snprintf(text, sizeof text, ": wrote %02X, read %02X", written, readBack);
    return where + text;
}

} // namespace

std::vector<std::string> imageDifferences(const ConfigImage& written, const ConfigImage& readBack)
{
    std::vector<std::string> lines;
    // Status byte 1 is the stage the mouse is in now, which its own DPI button may change.
    if (written.usbReportRate() != readBack.usbReportRate())
        lines.push_back(difference("status byte 0", written.usbReportRate(), readBack.usbReportRate()));
    for (int page = 1; page <= ConfigImage::kPageCount; ++page) {
        for (std::size_t at = 0; at < ConfigImage::kPageSize; ++at) {
            if (written.page(page)[at] == readBack.page(page)[at])
                continue;
            char where[32];
            std::snprintf(where, sizeof where, "page %d byte 0x%02zX", page, at);
            lines.push_back(difference(where, written.page(page)[at], readBack.page(page)[at]));
        }
    }
    return lines;
}

} // namespace kestrel::ctl
