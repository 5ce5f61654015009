#include "config/DpiTable.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(DpiTableTest, LevelCountsBySensorType)
{
    EXPECT_EQ(DpiTable::levelCount(0), 12);
    EXPECT_EQ(DpiTable::levelCount(1), 8);
    EXPECT_EQ(DpiTable::levelCount(2), 8);
    EXPECT_EQ(DpiTable::levelCount(3), 8);
    EXPECT_EQ(DpiTable::levelCount(4), 0);
    EXPECT_EQ(DpiTable::levelCount(255), 0);
}

TEST(DpiTableTest, LabelsAndCodesOfEachSensorType)
{
    EXPECT_EQ(DpiTable::label(0, 0), "250");
    EXPECT_EQ(DpiTable::label(0, 11), "4000");
    EXPECT_EQ(DpiTable::code(0, 11, true), 0x28);
    EXPECT_EQ(DpiTable::label(1, 0), "600");
    EXPECT_EQ(DpiTable::code(1, 0, true), 0x01);
    EXPECT_EQ(DpiTable::code(1, 5, true), 0x23);
    EXPECT_EQ(DpiTable::label(2, 7), "2500");
    EXPECT_EQ(DpiTable::code(2, 7, true), 0x2A);
    EXPECT_EQ(DpiTable::label(3, 6), "2800");
    EXPECT_EQ(DpiTable::code(3, 7, true), 0x08);
}

TEST(DpiTableTest, DisabledStagesCarryBitSeven)
{
    EXPECT_EQ(DpiTable::code(2, 4, true), 0x0A);
    EXPECT_EQ(DpiTable::code(2, 4, false), 0x8A);
    EXPECT_EQ(DpiTable::code(0, 8, false), 0xA5);
}

TEST(DpiTableTest, UnknownSensorTypeHasNoLabelsAndCodeZero)
{
    EXPECT_EQ(DpiTable::label(5, 0), "");
    EXPECT_EQ(DpiTable::code(5, 0, true), 0x00);
    EXPECT_EQ(DpiTable::code(5, 0, false), 0x80);
}

TEST(DpiTableTest, LevelsBeyondTheSensorsCountAreEmpty)
{
    // Level 8 exists for sensor type 0 only.
    EXPECT_EQ(DpiTable::label(0, 8), "2500");
    EXPECT_EQ(DpiTable::label(1, 8), "");
    EXPECT_EQ(DpiTable::code(1, 8, true), 0x00);
    EXPECT_EQ(DpiTable::code(3, 11, false), 0x80);
    EXPECT_EQ(DpiTable::label(0, 12), "");
    EXPECT_EQ(DpiTable::code(0, 255, true), 0x00);
    EXPECT_EQ(DpiTable::label(0, -1), "");
    EXPECT_EQ(DpiTable::code(0, -1, false), 0x80);
}

} // namespace
} // namespace kestrel
