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
