#include "DescriptorCommand.h"

#include "HexFormat.h"

#include "device/HidDescriptorParser.h"
#include "config/Unicode.h"

#include <filesystem>

namespace kestrel::ctl {

DescriptorCommand::DescriptorCommand(std::ostream& out, std::ostream& err)
    : out_(out)
    , err_(err)
{
}

int DescriptorCommand::run(const CtlOptions& options)
{
    if (options.arguments.size() != 1) {
        err_ << "kestrelctl: descriptor takes 1 argument\n";
        return 2;
    }
    const std::string& file = options.arguments[0];
    const std::filesystem::path path = unicode::pathFromUtf8(file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        err_ << "kestrelctl: " << file << ": no such file\n";
        return 1;
    }
    const HidDescriptorParseResult result = HidDescriptorParser::parseFile(path);
    if (!result.ok()) {
        err_ << "kestrelctl: " << file << ": malformed report descriptor: " << result.error << '\n';
        return 1;
    }
    if (result.collections.empty()) {
        err_ << "kestrelctl: " << file << ": report descriptor without any top-level collection\n";
        return 1;
    }
    for (const HidCollectionCaps& caps : result.collections)
        out_ << collectionFields(caps.usagePage, caps.usage, caps.featureReportLength) << '\n';
    return 0;
}

} // namespace kestrel::ctl
