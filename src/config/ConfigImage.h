#pragma once

#include "config/KeyGroup.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrel {

// The mouse's 322-byte configuration image: the status pair followed by five
// 64-byte configuration pages. Bytes the program does not interpret are kept
// as read so that a write sends them back unchanged, which is only sound when
// they came from one complete read: the image remembers whether they did.
class ConfigImage {
public:
    static constexpr std::size_t kSize = 322;
    static constexpr std::size_t kStatusSize = 2;
    static constexpr std::size_t kPageSize = 64;
    static constexpr int kPageCount = 5;

    // Named locations inside a page ("page N +X").
    static constexpr std::size_t kPage3Group1Buttons = 0x00;
    static constexpr std::size_t kPage3Group2Buttons = 0x20;
    // Where a key group's button records start in page 3.
    static constexpr std::size_t page3Buttons(KeyGroup group)
    {
        return group == KeyGroup::ModeA ? kPage3Group1Buttons : kPage3Group2Buttons;
    }
    static constexpr std::size_t kPage4SensorType = 0x01;
    static constexpr std::size_t kPage4StageCount = 0x06;
    static constexpr std::size_t kPage4LedMode = 0x0A;
    static constexpr std::size_t kPage4LedParameter = 0x0B;
    static constexpr std::size_t kPage4LedEnable = 0x0C;
    static constexpr std::size_t kPage4FireMakeTime = 0x0E;
    static constexpr std::size_t kPage4FireBreakTime = 0x0F;
    static constexpr std::size_t kPage4SnipeDpiCode = 0x17;
    static constexpr std::size_t kPage4DpiCodes = 0x18;
    static constexpr std::size_t kPage4ConsumerUsages = 0x20;
    static constexpr std::size_t kPage5DpiColours = 0x18;
    static constexpr std::size_t kPage5DpiColoursSize = 24;
    static constexpr std::size_t kPage5Shortcuts = 0x30;

    ConfigImage() { clear(); }

    // All zeros, and no longer the result of a read.
    void clear()
    {
        bytes_.fill(0);
        completeRead_ = false;
    }

    // Whether every byte came from one complete, successful read of the
    // mouse (later compositions keep that true: they build on it).
    bool isCompleteRead() const { return completeRead_; }
    void markCompleteRead() { completeRead_ = true; }

    std::uint8_t usbReportRate() const { return bytes_[0]; }
    void setUsbReportRate(std::uint8_t value) { bytes_[0] = value; }
    std::uint8_t sensorDpiStage() const { return bytes_[1]; }
    void setSensorDpiStage(std::uint8_t value) { bytes_[1] = value; }

    std::span<std::uint8_t, kStatusSize> statusPair() { return std::span(bytes_).first<kStatusSize>(); }
    std::span<const std::uint8_t, kStatusSize> statusPair() const { return std::span(bytes_).first<kStatusSize>(); }

    // Page N, N = 1..5. Other values are a programming error.
    std::span<std::uint8_t, kPageSize> page(int n);
    std::span<const std::uint8_t, kPageSize> page(int n) const;

    std::uint8_t sensorType() const { return page(4)[kPage4SensorType]; }

    std::span<std::uint8_t, kSize> bytes() { return bytes_; }
    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }

    // Images are equal when their bytes are, wherever the bytes came from.
    friend bool operator==(const ConfigImage& a, const ConfigImage& b) { return a.bytes_ == b.bytes_; }

private:
    std::array<std::uint8_t, kSize> bytes_{};
    bool completeRead_ = false;
};

static_assert(ConfigImage::kStatusSize + ConfigImage::kPageCount * ConfigImage::kPageSize == ConfigImage::kSize);

} // namespace kestrel
