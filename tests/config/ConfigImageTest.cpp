#include "config/ConfigImage.h"

#include <gtest/gtest.h>

using kestrel::ConfigImage;

TEST(ConfigImage, PagesMapOntoTheImageBytes)
{
    ConfigImage image;
    image.setUsbReportRate(8);
    image.setSensorDpiStage(3);
    image.page(1)[0] = 0x11;
    image.page(3)[63] = 0x33;
    image.page(5)[63] = 0x55;
    image.page(4)[ConfigImage::kPage4SensorType] = 2;
    const auto bytes = image.bytes();
    EXPECT_EQ(bytes[0], 8);
    EXPECT_EQ(bytes[1], 3);
    EXPECT_EQ(bytes[2], 0x11);
    EXPECT_EQ(bytes[2 + 64 * 2 + 63], 0x33);
    EXPECT_EQ(bytes[321], 0x55);
    EXPECT_EQ(bytes[2 + 64 * 3 + 1], 2);
    EXPECT_EQ(image.sensorType(), 2);
    image.clear();
    EXPECT_EQ(image, ConfigImage{});
}

TEST(ConfigImage, ModeBButtonRecordsFollowModeAsInPageThree)
{
    EXPECT_EQ(ConfigImage::page3Buttons(kestrel::KeyGroup::ModeA), 0x00u);
    EXPECT_EQ(ConfigImage::page3Buttons(kestrel::KeyGroup::ModeB), 0x20u);
}
