#include "device/HidDescriptorParser.h"

#include "config/BinaryFile.h"
#include "config/FileRefusal.h"

#include <algorithm>
#include <array>

namespace kestrel {

namespace {

constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::array<std::size_t, 4> kDataSizes{0, 1, 2, 4};

constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;
constexpr std::uint8_t kTypeLocal = 2;
constexpr std::uint8_t kTypeReserved = 3;

constexpr std::uint8_t kTagCollection = 0xA;
constexpr std::uint8_t kTagFeature = 0xB;
constexpr std::uint8_t kTagEndCollection = 0xC;

constexpr std::uint8_t kTagUsagePage = 0x0;
constexpr std::uint8_t kTagReportSize = 0x7;
constexpr std::uint8_t kTagReportId = 0x8;
constexpr std::uint8_t kTagReportCount = 0x9;
constexpr std::uint8_t kTagPush = 0xA;
constexpr std::uint8_t kTagPop = 0xB;

constexpr std::uint8_t kTagUsage = 0x0;

// The limits of the Linux HID core: a descriptor beyond them gets no hidraw node.
constexpr std::uint32_t kMaxReportSize = 256;
constexpr std::uint32_t kMaxReportCount = 12288;
constexpr std::uint32_t kMaxReportBytes = 16384;
constexpr std::uint32_t kMaxReportBits = (kMaxReportBytes - 1) * 8;
constexpr std::size_t kMaxGlobalStack = 32;
constexpr int kMaxDepth = 255;

// Largest bits * count stays far inside 32 bits, so sums cannot overflow.
static_assert(std::uint64_t{kMaxReportSize} * kMaxReportCount + kMaxReportBits < (std::uint64_t{1} << 32));

} // namespace

HidDescriptorParseResult HidDescriptorParser::parse(std::span<const std::uint8_t> descriptor)
{
    return HidDescriptorParser(descriptor).run();
}

HidDescriptorParseResult HidDescriptorParser::parseFile(const std::filesystem::path& file)
{
    const BinaryFile::ReadResult contents = BinaryFile::read(file, kMaxFileSize);
    if (contents.error == FileRefusal::TooLarge)
        return {{}, "the file is larger than " + std::to_string(kMaxFileSize) + " bytes"};
    if (contents.error)
        return {{}, "cannot read the file: " + contents.error.message()};
    return parse(contents.bytes);
}

HidDescriptorParser::HidDescriptorParser(std::span<const std::uint8_t> descriptor)
    : bytes_(descriptor)
{
}

HidDescriptorParseResult HidDescriptorParser::run()
{
    while (offset_ < bytes_.size()) {
        Item item;
        if (!readItem(item) || !handleItem(item))
            return {{}, error_};
    }
    if (depth_ != 0) {
        failAt(bytes_.size(), "collection not closed");
        return {{}, error_};
    }
    return {collections_, {}};
}

bool HidDescriptorParser::readItem(Item& item)
{
    itemOffset_ = offset_;
    const std::uint8_t prefix = bytes_[offset_];
    const std::size_t remaining = bytes_.size() - offset_ - 1;
    if (prefix == kLongItemPrefix) {
        // No long item is defined; its size byte and tag byte let it be skipped.
        if (remaining < 2 || remaining - 2 < bytes_[offset_ + 1])
            return failAt(itemOffset_, "truncated long item");
        offset_ += 3 + bytes_[offset_ + 1];
        item.type = kTypeReserved;
        return true;
    }
    item.size = kDataSizes[prefix & 0x3];
    if (remaining < item.size)
        return failAt(itemOffset_, "truncated item");
    item.type = (prefix >> 2) & 0x3;
    item.tag = prefix >> 4;
    for (std::size_t i = 0; i < item.size; ++i)
        item.data |= std::uint32_t{bytes_[offset_ + 1 + i]} << (8 * i);
    offset_ += 1 + item.size;
    return true;
}

bool HidDescriptorParser::handleItem(const Item& item)
{
    if (item.type == kTypeMain)
        return handleMain(item);
    if (item.type == kTypeGlobal)
        return handleGlobal(item);
    if (item.type == kTypeLocal)
        handleLocal(item);
    return true;
}

bool HidDescriptorParser::handleMain(const Item& item)
{
    bool ok = true;
    if (item.tag == kTagCollection)
        ok = openCollection();
    else if (item.tag == kTagEndCollection)
        ok = closeCollection();
    else if (item.tag == kTagFeature)
        ok = addFeatureBits();
    // Local items describe the one main item that follows them.
    firstUsage_.reset();
    return ok;
}

bool HidDescriptorParser::handleGlobal(const Item& item)
{
    switch (item.tag) {
    case kTagUsagePage:
        if (item.data > 0xFFFF)
            return failAt(itemOffset_, "usage page out of range");
        global_.usagePage = static_cast<std::uint16_t>(item.data);
        return true;
    case kTagReportSize:
        if (item.data > kMaxReportSize)
            return failAt(itemOffset_, "report size over " + std::to_string(kMaxReportSize) + " bits");
        global_.reportSize = item.data;
        return true;
    case kTagReportCount:
        if (item.data > kMaxReportCount)
            return failAt(itemOffset_, "report count over " + std::to_string(kMaxReportCount));
        global_.reportCount = item.data;
        return true;
    case kTagReportId:
        if (item.data == 0 || item.data > 0xFF)
            return failAt(itemOffset_, "invalid report ID");
        global_.reportId = static_cast<std::uint8_t>(item.data);
        return true;
    case kTagPush:
        if (globalStack_.size() == kMaxGlobalStack)
            return failAt(itemOffset_, "push nested too deeply");
        globalStack_.push_back(global_);
        return true;
    case kTagPop:
        if (globalStack_.empty())
            return failAt(itemOffset_, "pop without push");
        global_ = globalStack_.back();
        globalStack_.pop_back();
        return true;
    default:
        return true;
    }
}

void HidDescriptorParser::handleLocal(const Item& item)
{
    if (item.tag == kTagUsage && !firstUsage_)
        firstUsage_ = item;
}

bool HidDescriptorParser::openCollection()
{
    if (depth_ == kMaxDepth)
        return failAt(itemOffset_, "collections nested deeper than " + std::to_string(kMaxDepth));
    if (depth_ == 0) {
        // A four-byte usage carries its own page; a shorter one takes the
        // page in force at the collection, as the Windows parser does.
        HidCollectionCaps caps{global_.usagePage, 0, 0};
        if (firstUsage_ && firstUsage_->size == 4) {
            caps.usagePage = static_cast<std::uint16_t>(firstUsage_->data >> 16);
            caps.usage = static_cast<std::uint16_t>(firstUsage_->data & 0xFFFF);
        } else if (firstUsage_) {
            caps.usage = static_cast<std::uint16_t>(firstUsage_->data);
        }
        collections_.push_back(caps);
        featureBits_.clear();
    }
    ++depth_;
    return true;
}

bool HidDescriptorParser::closeCollection()
{
    if (depth_ == 0)
        return failAt(itemOffset_, "End Collection without Collection");
    if (--depth_ > 0)
        return true;
    std::uint32_t largestBits = 0;
    for (const auto& [reportId, bits] : featureBits_)
        largestBits = std::max(largestBits, bits);
    // One byte more for the report ID, or for the zero that stands in for it.
    if (!featureBits_.empty())
        collections_.back().featureReportLength = static_cast<std::uint16_t>((largestBits + 7) / 8 + 1);
    return true;
}

bool HidDescriptorParser::addFeatureBits()
{
    // A feature outside every collection belongs to no interface.
    const std::uint32_t bits = global_.reportSize * global_.reportCount;
    if (depth_ == 0 || bits == 0)
        return true;
    std::uint32_t& total = featureBits_[global_.reportId];
    total += bits;
    if (total > kMaxReportBits)
        return failAt(itemOffset_, "feature report longer than " + std::to_string(kMaxReportBytes) + " bytes");
    return true;
}

bool HidDescriptorParser::failAt(std::size_t offset, const std::string& what)
{
    error_ = what + " at byte " + std::to_string(offset);
    return false;
}

} // namespace kestrel
