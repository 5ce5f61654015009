#include "device/linux/HidIdentity.h"

#include "device/MouseModel.h"

#include <algorithm>
#include <charconv>

namespace kestrel {

namespace {

// One hex field up to the next colon (or the end); the field must be whole.
std::optional<std::uint16_t> takeHexField(std::string_view& text)
{
    const std::size_t colon = text.find(':');
    const std::string_view field = text.substr(0, colon);
    text = colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (field.empty() || error != std::errc{} || end != field.data() + field.size() || value > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::optional<HidIdentity> HidIdentity::fromHidId(std::string_view value)
{
    if (std::count(value.begin(), value.end(), ':') != 2)
        return std::nullopt;
    const auto bus = takeHexField(value);
    const auto vendor = takeHexField(value);
    const auto product = takeHexField(value);
    if (!bus || !vendor || !product)
        return std::nullopt;
    return HidIdentity{*bus, *vendor, *product};
}

std::optional<HidIdentity> HidIdentity::fromUevent(std::string_view uevent)
{
    constexpr std::string_view kKey = "HID_ID=";
    while (!uevent.empty()) {
        const std::size_t newline = uevent.find('\n');
        const std::string_view line = uevent.substr(0, newline);
        if (line.starts_with(kKey))
            return fromHidId(line.substr(kKey.size()));
        uevent = newline == std::string_view::npos ? std::string_view{} : uevent.substr(newline + 1);
    }
    return std::nullopt;
}

bool HidIdentity::isMouse() const
{
    return vendorId == mouse::kVendorId && productId == mouse::kProductId;
}

} // namespace kestrel
