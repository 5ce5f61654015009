#include "device/ReportScrambler.h"

namespace kestrel {

namespace {

constexpr std::uint64_t kMask56 = (std::uint64_t{1} << 56) - 1;

std::uint64_t rotateLeft56(std::uint64_t x, unsigned bits)
{
    return ((x << bits) | (x >> (56 - bits))) & kMask56;
}

std::uint64_t rotateRight56(std::uint64_t x, unsigned bits)
{
    return ((x >> bits) | (x << (56 - bits))) & kMask56;
}

// Bytes 1..7 of a block, byte 1 most significant.
std::uint64_t load56(std::span<const std::uint8_t> bytes)
{
    std::uint64_t x = 0;
    for (std::uint8_t b : bytes)
        x = (x << 8) | b;
    return x;
}

void store56(std::uint64_t x, std::span<std::uint8_t> bytes)
{
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        *it = static_cast<std::uint8_t>(x & 0xFF);
        x >>= 8;
    }
}

// Applies a block transform to each whole 8-byte block of a span.
template <typename Transform>
void forEachBlock(std::span<std::uint8_t> bytes, std::size_t maxBlocks, Transform transform)
{
    const std::size_t blocks = std::min(bytes.size() / ReportScrambler::kBlockSize, maxBlocks);
    for (std::size_t g = 0; g < blocks; ++g)
        transform(bytes.subspan(g * ReportScrambler::kBlockSize).first<ReportScrambler::kBlockSize>());
}

} // namespace

ReportScrambler::ReportScrambler(const Key& key)
    : key_(load56(key))
{
}

void ReportScrambler::scrambleBlock(std::span<std::uint8_t, kBlockSize> block) const
{
    const auto payload = block.subspan<1>();
    std::uint64_t x = load56(payload);
    x = rotateLeft56(x, 2);
    x ^= key_;
    x = rotateRight56(x, 3);
    store56(x, payload);
}

void ReportScrambler::unscrambleBlock(std::span<std::uint8_t, kBlockSize> block) const
{
    const auto payload = block.subspan<1>();
    std::uint64_t x = load56(payload);
    x = rotateLeft56(x, 3);
    x ^= key_;
    x = rotateRight56(x, 2);
    store56(x, payload);
}

void ReportScrambler::scrambleStatus(std::span<std::uint8_t> report) const
{
    forEachBlock(report, 1, [this](auto block) { scrambleBlock(block); });
}

void ReportScrambler::unscrambleStatus(std::span<std::uint8_t> report) const
{
    forEachBlock(report, 1, [this](auto block) { unscrambleBlock(block); });
}

void ReportScrambler::scrambleData(std::span<std::uint8_t> report) const
{
    if (!report.empty())
        forEachBlock(report.subspan(1), kDataBlocks, [this](auto block) { scrambleBlock(block); });
}

void ReportScrambler::unscrambleData(std::span<std::uint8_t> report) const
{
    if (!report.empty())
        forEachBlock(report.subspan(1), kDataBlocks, [this](auto block) { unscrambleBlock(block); });
}

} // namespace kestrel
