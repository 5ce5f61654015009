#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrel {

// What the platform's HID class reports for one top-level collection. The
// feature report length is that of the collection's largest feature report
// in bytes plus one byte for the report ID (or for the zero prefix when the
// descriptor numbers no reports); 0 when the collection has no feature report.
struct HidCollectionCaps {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureReportLength = 0;

    friend bool operator==(const HidCollectionCaps&, const HidCollectionCaps&) = default;
};

struct HidDescriptorParseResult {
    std::vector<HidCollectionCaps> collections; // empty when error is set
    std::string error;                          // empty on success

    bool ok() const { return error.empty(); }
};

// Reads a HID 1.11 report descriptor into its top-level collections, the way
// the Windows HID parser sizes them. Every item of the grammar is accepted
// (long items are skipped); values the kernel's own parser would refuse
// (report sizes over 256 bits, counts over 12288, reports over 16 KiB, report
// ID 0, unbalanced collections or push/pop, truncated items) end the parse
// with an error. Never reads outside the given bytes.
class HidDescriptorParser {
public:
    static constexpr std::size_t kMaxFileSize = 64 * 1024;

    static HidDescriptorParseResult parse(std::span<const std::uint8_t> descriptor);
    // The descriptor as sysfs shows it in a node's device/report_descriptor.
    static HidDescriptorParseResult parseFile(const std::filesystem::path& file);

private:
    // The global items a Push saves and a Pop restores.
    struct GlobalState {
        std::uint16_t usagePage = 0;
        std::uint32_t reportSize = 0;
        std::uint32_t reportCount = 0;
        std::uint8_t reportId = 0;
    };

    struct Item {
        std::uint8_t type = 0;
        std::uint8_t tag = 0;
        std::uint32_t data = 0;
        std::size_t size = 0;
    };

    explicit HidDescriptorParser(std::span<const std::uint8_t> descriptor);

    HidDescriptorParseResult run();
    bool readItem(Item& item);
    bool handleItem(const Item& item);
    bool handleMain(const Item& item);
    bool handleGlobal(const Item& item);
    void handleLocal(const Item& item);
    bool openCollection();
    bool closeCollection();
    bool addFeatureBits();
    bool failAt(std::size_t offset, const std::string& what);

    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    std::size_t itemOffset_ = 0;
    GlobalState global_;
    std::vector<GlobalState> globalStack_;
    std::optional<Item> firstUsage_;     // local: the usage that names a collection
    int depth_ = 0;
    std::map<std::uint8_t, std::uint32_t> featureBits_; // per report ID, current top-level collection
    std::vector<HidCollectionCaps> collections_;
    std::string error_;
};

} // namespace kestrel
