#include "device/sim/MouseFirmware.h"

#include "device/MouseModel.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kestrel {

namespace {

constexpr std::size_t kStatusSize = mouse::kStatusReportLength;
constexpr std::size_t kDataSize = mouse::kDataReportLength;

bool startsWithStatusHeader(std::span<const std::uint8_t> report)
{
    return report[0] == mouse::kStatusReportId
        && std::equal(mouse::kStatusSignature.begin(), mouse::kStatusSignature.end(), report.begin() + 1);
}

// Reports shorter than the collection's report carry nothing usable.
bool isStatusReport(std::span<const std::uint8_t> report)
{
    return report.size() >= kStatusSize;
}

} // namespace

MouseFirmware::MouseFirmware(const ConfigImage& image, bool scrambled)
    : image_(image)
    , scrambled_(scrambled)
{
}

ConfigImage MouseFirmware::factoryImage()
{
    ConfigImage image;
    auto bytes = image.bytes();
    // A recognisable, non-zero pattern in every byte, then the fields that
    // matter to the program set to a sound configuration.
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 37 + 11) & 0xFF);
    image.setUsbReportRate(0x01);
    image.setSensorDpiStage(0x01);
    auto page4 = image.page(4);
    page4[ConfigImage::kPage4SensorType] = 1;
    page4[ConfigImage::kPage4StageCount] = 4;
    page4[ConfigImage::kPage4LedMode] = 1;
    page4[ConfigImage::kPage4LedParameter] = 9;
    page4[ConfigImage::kPage4LedEnable] = 2;
    page4[ConfigImage::kPage4FireMakeTime] = 10;
    page4[ConfigImage::kPage4FireBreakTime] = 10;
    page4[ConfigImage::kPage4SnipeDpiCode] = 0x01;
    constexpr std::array<std::uint8_t, 4> kStageCodes{0x02, 0x04, 0x23, 0x25};
    std::copy(kStageCodes.begin(), kStageCodes.end(), page4.begin() + ConfigImage::kPage4DpiCodes);
    constexpr std::array<std::uint8_t, 24> kStageColours{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00,
                                                         0xFF, 0xFF, 0xFF, 0x00};
    auto page5 = image.page(5);
    std::copy(kStageColours.begin(), kStageColours.end(), page5.begin() + ConfigImage::kPage5DpiColours);
    return image;
}

void MouseFirmware::setStatusReport(std::span<const std::uint8_t> report)
{
    if (!isStatusReport(report))
        return;
    std::array<std::uint8_t, kStatusSize> request{};
    std::copy_n(report.begin(), kStatusSize, request.begin());
    if (scrambled_)
        scrambler_.unscrambleStatus(request);
    if (!startsWithStatusHeader(request))
        return;
    handleCommand(request[5], request[6], request[7]);
}

void MouseFirmware::getStatusReport(std::span<std::uint8_t> report)
{
    if (!isStatusReport(report))
        return;
    std::array<std::uint8_t, kStatusSize> reply{};
    reply[0] = mouse::kStatusReportId;
    std::copy(mouse::kStatusSignature.begin(), mouse::kStatusSignature.end(), reply.begin() + 1);
    reply[5] = lastCommand_;
    reply[6] = image_.usbReportRate();
    reply[7] = image_.sensorDpiStage();
    if (scrambled_)
        scrambler_.scrambleStatus(reply);
    std::copy(reply.begin(), reply.end(), report.begin());
}

void MouseFirmware::setDataReport(std::span<const std::uint8_t> report)
{
    if (pending_ != Pending::WritePage || report.size() < kDataSize)
        return;
    std::array<std::uint8_t, kDataSize> data{};
    std::copy_n(report.begin(), kDataSize, data.begin());
    if (scrambled_)
        scrambler_.unscrambleData(data);
    auto page = image_.page(pendingPage_);
    if (!std::equal(page.begin(), page.end(), data.begin() + 1)) {
        std::copy(data.begin() + 1, data.end(), page.begin());
        imageChanged_ = true;
    }
    pending_ = Pending::None;
}

void MouseFirmware::getDataReport(std::span<std::uint8_t> report)
{
    if (report.size() < kDataSize)
        return;
    std::array<std::uint8_t, kDataSize> data{};
    if (pending_ == Pending::ReadPage) {
        const auto page = image_.page(pendingPage_);
        std::copy(page.begin(), page.end(), data.begin() + 1);
        pending_ = Pending::None;
    }
    if (scrambled_)
        scrambler_.scrambleData(data);
    std::copy(data.begin(), data.end(), report.begin());
}

bool MouseFirmware::takeImageChanged()
{
    return std::exchange(imageChanged_, false);
}

void MouseFirmware::handleCommand(std::uint8_t command, std::uint8_t data0, std::uint8_t data1)
{
    lastCommand_ = command;
    const int page = command & 0x7F;
    const bool isPageCommand = page >= 1 && page <= ConfigImage::kPageCount;
    if (command == 0x00) {
        if (image_.usbReportRate() != data0 || image_.sensorDpiStage() != data1)
            imageChanged_ = true;
        image_.setUsbReportRate(data0);
        image_.setSensorDpiStage(data1);
        pending_ = Pending::None;
    } else if (isPageCommand) {
        pending_ = (command & 0x80) ? Pending::ReadPage : Pending::WritePage;
        pendingPage_ = page;
    } else {
        pending_ = Pending::None;
    }
}

} // namespace kestrel
