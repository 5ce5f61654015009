#include "config/ConfigImage.h"

#include <cassert>

namespace kestrel {

namespace {
std::size_t pageOffset(int n)
{
    assert(n >= 1 && n <= ConfigImage::kPageCount);
    return ConfigImage::kStatusSize + ConfigImage::kPageSize * static_cast<std::size_t>(n - 1);
}
} // namespace

std::span<std::uint8_t, ConfigImage::kPageSize> ConfigImage::page(int n)
{
    return std::span(bytes_).subspan(pageOffset(n)).first<kPageSize>();
}

std::span<const std::uint8_t, ConfigImage::kPageSize> ConfigImage::page(int n) const
{
    return std::span(bytes_).subspan(pageOffset(n)).first<kPageSize>();
}

} // namespace kestrel
