#include "ReportDescriptors.h"
#include "../config/FileTestSupport.h"

#include "device/HidDescriptorParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace kestrel;
using namespace kestrel::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<HidCollectionCaps> collectionsOf(const Bytes& descriptor)
{
    const HidDescriptorParseResult result = HidDescriptorParser::parse(descriptor);
    EXPECT_TRUE(result.ok()) << result.error;
    return result.collections;
}

std::string errorOf(const Bytes& descriptor)
{
    const HidDescriptorParseResult result = HidDescriptorParser::parse(descriptor);
    EXPECT_TRUE(result.collections.empty());
    return result.error;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A vendor application collection around the given items.
Bytes vendorCollection(const Bytes& items)
{
    return concat({{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01}, items, {0xC0}});
}

} // namespace

TEST(HidDescriptorParser, SizesTheCollectionsOfRealDescriptors)
{
    EXPECT_EQ(collectionsOf(kStatusDescriptor), (std::vector<HidCollectionCaps>{{0x0001, 0x0006, 8}}));
    EXPECT_EQ(collectionsOf(kDataDescriptor), (std::vector<HidCollectionCaps>{{0x0001, 0x0002, 65}}));
    EXPECT_EQ(collectionsOf(kPointerDescriptor), (std::vector<HidCollectionCaps>{{0x0001, 0x0002, 0}}));
    EXPECT_EQ(collectionsOf(kMultimediaDescriptor),
              (std::vector<HidCollectionCaps>{{0x000C, 0x0001, 0}, {0x0001, 0x0080, 0}, {0xFF00, 0x0001, 33}}));
    EXPECT_TRUE(collectionsOf({}).empty());
}

TEST(HidDescriptorParser, TruncationInsideAnItemOrCollectionIsAnError)
{
    // Cut outside every collection (before the first or between two, after
    // whole items), what remains is a shorter but sound descriptor.
    const std::set<std::size_t> beforeCollection{2, 4};
    const std::set<std::size_t> multimediaCuts{2, 4, 25, 27, 29, 52, 55, 57};
    const std::vector<std::pair<const Bytes*, const std::set<std::size_t>*>> cases{
        {&kStatusDescriptor, &beforeCollection},
        {&kDataDescriptor, &beforeCollection},
        {&kPointerDescriptor, &beforeCollection},
        {&kMultimediaDescriptor, &multimediaCuts}};
    for (const auto& [descriptor, soundCuts] : cases) {
        const std::vector<HidCollectionCaps> whole = collectionsOf(*descriptor);
        for (std::size_t length = 1; length < descriptor->size(); ++length) {
            // An exact-size copy lets the address sanitizer catch any read past the end.
            const Bytes truncated(descriptor->begin(), descriptor->begin() + static_cast<std::ptrdiff_t>(length));
            const HidDescriptorParseResult result = HidDescriptorParser::parse(truncated);
            EXPECT_EQ(result.ok(), soundCuts->contains(length)) << "length " << length;
            EXPECT_TRUE(std::equal(result.collections.begin(), result.collections.end(), whole.begin()));
        }
    }
    EXPECT_EQ(errorOf({0x05, 0x01, 0x09}), "truncated item at byte 2");
    EXPECT_EQ(errorOf({0x05, 0x01, 0xA1, 0x01}), "collection not closed at byte 4");
    EXPECT_EQ(errorOf({0x27, 0x01, 0x02, 0x03}), "truncated item at byte 0");
}

TEST(HidDescriptorParser, LongItemsAreSkipped)
{
    const Bytes longItem{0xFE, 0x03, 0x42, 0xB1, 0xC0, 0xC0};
    EXPECT_EQ(collectionsOf(concat({{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01}, longItem,
                                    {0x85, 0x01, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0}})),
              (std::vector<HidCollectionCaps>{{0x0001, 0x0006, 8}}));
    EXPECT_EQ(collectionsOf({0xFE, 0x00, 0x10}), std::vector<HidCollectionCaps>{});
    EXPECT_EQ(errorOf({0xFE, 0x04, 0x10, 0x00}), "truncated long item at byte 0");
    EXPECT_EQ(errorOf({0xFE}), "truncated long item at byte 0");
    EXPECT_EQ(errorOf({0xFE, 0x00}), "truncated long item at byte 0");
}

TEST(HidDescriptorParser, PushAndPopRestoreTheGlobalItems)
{
    // Push report 1 of 3 bytes; inside, report 2 of 10 bytes; after the pop
    // another 3 bytes join report 1 again.
    const Bytes items{0x85, 0x01, 0x75, 0x08, 0x95, 0x03, 0xA4, 0x85, 0x02, 0x95, 0x0A, 0xB1,
                      0x02, 0xB4, 0xB1, 0x02, 0xB1, 0x02};
    EXPECT_EQ(collectionsOf(vendorCollection(items)), (std::vector<HidCollectionCaps>{{0xFF00, 0x0001, 11}}));

    const Bytes threeMore{0xB1, 0x02, 0xB1, 0x02};
    EXPECT_EQ(collectionsOf(vendorCollection(concat({items, threeMore}))),
              (std::vector<HidCollectionCaps>{{0xFF00, 0x0001, 13}}));

    EXPECT_EQ(errorOf(vendorCollection({0xB4})), "pop without push at byte 7");
    EXPECT_EQ(errorOf(Bytes(40, 0xA4)), "push nested too deeply at byte 32");
}

TEST(HidDescriptorParser, ReportIdChangesInsideACollection)
{
    // Report 1: 7 bytes; report 2: 20 bytes; report 1 again: 2 more bytes (9).
    const Bytes items{0x75, 0x08, 0x85, 0x01, 0x95, 0x07, 0xB1, 0x02, 0x85, 0x02, 0x95, 0x14,
                      0xB1, 0x02, 0x85, 0x01, 0x95, 0x02, 0xB1, 0x02};
    EXPECT_EQ(collectionsOf(vendorCollection(items)), (std::vector<HidCollectionCaps>{{0xFF00, 0x0001, 21}}));

    // Bits round up to whole bytes: 3 bits and 6 bits make two bytes.
    const Bytes bits{0x75, 0x01, 0x95, 0x03, 0xB1, 0x02, 0x95, 0x06, 0xB1, 0x03};
    EXPECT_EQ(collectionsOf(vendorCollection(bits)), (std::vector<HidCollectionCaps>{{0xFF00, 0x0001, 3}}));

    EXPECT_EQ(errorOf(vendorCollection({0x85, 0x00})), "invalid report ID at byte 7");
    EXPECT_EQ(errorOf(vendorCollection({0x86, 0x00, 0x01})), "invalid report ID at byte 7");
}

TEST(HidDescriptorParser, NestedCollectionsBelongToTheirTopLevelCollection)
{
    // A physical collection with its own usage inside the application collection,
    // and a feature item outside every collection, which counts for none.
    const Bytes descriptor{0x75, 0x08, 0x95, 0x04, 0xB1, 0x02,                   // stray feature
                           0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,                   // Mouse, Application
                           0x09, 0x01, 0xA1, 0x00,                               //   Pointer, Physical
                           0x09, 0x30, 0xA1, 0x02, 0x95, 0x05, 0xB1, 0x02, 0xC0, //     Logical: 5 bytes
                           0xC0,                                                 //   end Physical
                           0x95, 0x03, 0xB1, 0x02,                               //   3 more bytes
                           0xC0};
    EXPECT_EQ(collectionsOf(descriptor), (std::vector<HidCollectionCaps>{{0x0001, 0x0002, 9}}));
}

TEST(HidDescriptorParser, UsagesTakeThePageInForceAtTheCollection)
{
    // A four-byte usage carries its own page.
    EXPECT_EQ(collectionsOf({0x06, 0x00, 0xFF, 0x0B, 0x06, 0x00, 0x01, 0x00, 0xA1, 0x01, 0xC0}),
              (std::vector<HidCollectionCaps>{{0x0001, 0x0006, 0}}));
    // A short usage given before its usage page still takes that page.
    EXPECT_EQ(collectionsOf({0x09, 0x06, 0x05, 0x01, 0xA1, 0x01, 0xC0}),
              (std::vector<HidCollectionCaps>{{0x0001, 0x0006, 0}}));
    // Only the first usage names the collection.
    EXPECT_EQ(collectionsOf({0x05, 0x01, 0x09, 0x06, 0x09, 0x02, 0xA1, 0x01, 0xC0}),
              (std::vector<HidCollectionCaps>{{0x0001, 0x0006, 0}}));
    EXPECT_EQ(errorOf({0x07, 0x00, 0x00, 0x01, 0x00}), "usage page out of range at byte 0");
}

TEST(HidDescriptorParser, AbsurdSizesAndCountsAreRefused)
{
    EXPECT_EQ(errorOf(vendorCollection({0x77, 0xFF, 0xFF, 0xFF, 0xFF})), "report size over 256 bits at byte 7");
    EXPECT_EQ(errorOf(vendorCollection({0x97, 0xFF, 0xFF, 0xFF, 0xFF})), "report count over 12288 at byte 7");
    // 256 bits times 600 is 19200 bytes, beyond what a HID report can hold.
    EXPECT_EQ(errorOf(vendorCollection({0x76, 0x00, 0x01, 0x96, 0x58, 0x02, 0xB1, 0x02})),
              "feature report longer than 16384 bytes at byte 13");
    // Repeated items add up within one report until they overflow it.
    Bytes repeated{0x76, 0x00, 0x01, 0x96, 0x00, 0x01};
    for (int i = 0; i < 5; ++i)
        repeated.insert(repeated.end(), {0xB1, 0x02});
    EXPECT_FALSE(HidDescriptorParser::parse(vendorCollection(repeated)).ok());
    // The largest report that fits.
    const Bytes largest{0x76, 0x00, 0x01, 0x96, 0xFF, 0x01, 0xB1, 0x02, 0x75, 0x08, 0x95, 0x1F, 0xB1, 0x02};
    EXPECT_EQ(collectionsOf(vendorCollection(largest)), (std::vector<HidCollectionCaps>{{0xFF00, 0x0001, 16384}}));
}

TEST(HidDescriptorParser, NestingIsBalancedAndBounded)
{
    EXPECT_EQ(errorOf({0xC0}), "End Collection without Collection at byte 0");
    EXPECT_EQ(errorOf(concat({kDataDescriptor, {0xC0}})), "End Collection without Collection at byte 24");

    const auto nested = [](std::size_t depth) {
        Bytes descriptor;
        for (std::size_t i = 0; i < depth; ++i)
            descriptor.insert(descriptor.end(), {0xA1, 0x02});
        descriptor.insert(descriptor.end(), depth, 0xC0);
        return descriptor;
    };
    EXPECT_EQ(collectionsOf(nested(255)).size(), 1u);
    EXPECT_EQ(errorOf(nested(256)), "collections nested deeper than 255 at byte 510");
    EXPECT_FALSE(HidDescriptorParser::parse(nested(100000)).ok());
}

TEST(HidDescriptorParser, ReadsDescriptorFiles)
{
    const ScratchFolder folder;
    writeFile(folder / "report_descriptor", kStatusDescriptor);
    EXPECT_EQ(HidDescriptorParser::parseFile(folder / "report_descriptor").collections,
              (std::vector<HidCollectionCaps>{{0x0001, 0x0006, 8}}));

    EXPECT_FALSE(HidDescriptorParser::parseFile(folder / "missing").ok());
    EXPECT_FALSE(HidDescriptorParser::parseFile(folder.path()).ok());
    writeFile(folder / "huge", Bytes(HidDescriptorParser::kMaxFileSize + 1, 0x00));
    EXPECT_NE(HidDescriptorParser::parseFile(folder / "huge").error.find("larger than 65536 bytes"), std::string::npos);
}
