#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace kestrel {

// The reversible transform that the program and the mouse firmware apply to
// every report while scrambling is on. It works on 8-byte blocks: byte 0 stays
// clear, bytes 1-7 are treated as one 56-bit number, rotated and mixed with a
// shared 7-byte key.
class ReportScrambler {
public:
    static constexpr std::size_t kBlockSize = 8;
    static constexpr std::size_t kDataBlocks = 8;
    using Key = std::array<std::uint8_t, 7>;
    static constexpr Key kSharedKey{0x3C, 0x91, 0xD4, 0x07, 0x6E, 0x25, 0xA8};

    explicit ReportScrambler(const Key& key = kSharedKey);

    void scrambleBlock(std::span<std::uint8_t, kBlockSize> block) const;
    void unscrambleBlock(std::span<std::uint8_t, kBlockSize> block) const;

    // A status report is one block.
    void scrambleStatus(std::span<std::uint8_t> report) const;
    void unscrambleStatus(std::span<std::uint8_t> report) const;

    // A data report is the zero prefix byte followed by eight blocks.
    void scrambleData(std::span<std::uint8_t> report) const;
    void unscrambleData(std::span<std::uint8_t> report) const;

private:
    std::uint64_t key_;
};

} // namespace kestrel
