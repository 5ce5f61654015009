#include "device/ReportScrambler.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using kestrel::ReportScrambler;
using Block = std::array<std::uint8_t, 8>;

TEST(ReportScrambler, ZeroPayloadScramblesToKeyRotatedRightByThree)
{
    // K = 3C91D4076E25A8; rotated right by 3 within 56 bits.
    const std::uint64_t key = 0x3C91D4076E25A8;
    const std::uint64_t expected = ((key >> 3) | (key << 53)) & ((std::uint64_t{1} << 56) - 1);
    Block block{0x5A, 0, 0, 0, 0, 0, 0, 0};
    ReportScrambler().scrambleBlock(block);
    EXPECT_EQ(block[0], 0x5A);
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(block[i], static_cast<std::uint8_t>(expected >> (8 * (7 - i)))) << "byte " << i;
    EXPECT_EQ(block, (Block{0x5A, 0x07, 0x92, 0x3A, 0x80, 0xED, 0xC4, 0xB5}));
}

TEST(ReportScrambler, UnscrambleUndoesScrambleAndKeepsByteZero)
{
    const ReportScrambler scrambler;
    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        Block original{};
        for (auto& b : original)
            b = static_cast<std::uint8_t>(random());
        Block block = original;
        scrambler.scrambleBlock(block);
        EXPECT_EQ(block[0], original[0]);
        scrambler.unscrambleBlock(block);
        ASSERT_EQ(block, original);
    }
    Block allOnes;
    allOnes.fill(0xFF);
    Block block = allOnes;
    scrambler.scrambleBlock(block);
    EXPECT_NE(block, allOnes);
    scrambler.unscrambleBlock(block);
    EXPECT_EQ(block, allOnes);
}

TEST(ReportScrambler, DataReportLeavesPrefixAndFirstByteOfEachBlockClear)
{
    std::array<std::uint8_t, 65> report{};
    for (std::size_t i = 0; i < report.size(); ++i)
        report[i] = static_cast<std::uint8_t>(i);
    const auto original = report;
    const ReportScrambler scrambler;
    scrambler.scrambleData(report);
    EXPECT_EQ(report[0], original[0]);
    for (std::size_t pageByte = 0; pageByte < 64; pageByte += 8) {
        EXPECT_EQ(report[pageByte + 1], original[pageByte + 1]) << "page byte " << pageByte;
    }
    EXPECT_NE(report, original);
    scrambler.unscrambleData(report);
    EXPECT_EQ(report, original);
}

TEST(ReportScrambler, ShortReportsAreLeftAlone)
{
    std::array<std::uint8_t, 5> tooShort{1, 2, 3, 4, 5};
    const auto original = tooShort;
    const ReportScrambler scrambler;
    scrambler.scrambleStatus(tooShort);
    scrambler.scrambleData(tooShort);
    scrambler.scrambleData(std::span<std::uint8_t>{});
    EXPECT_EQ(tooShort, original);
}
