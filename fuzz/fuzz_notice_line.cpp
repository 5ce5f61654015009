// One line from the notice socket, and the numbers kestrelctl notify is given.
#include "app/endpoint/NoticeEndpoint.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    (void)kestrel::NoticeEndpoint::parseNumber(line);
    if (const auto notice = kestrel::NoticeEndpoint::decode(line)) {
        // What decodes encodes back to the same notice.
        std::string encoded = kestrel::NoticeEndpoint::encode(*notice);
        encoded.pop_back();
        if (kestrel::NoticeEndpoint::decode(encoded) != notice)
            std::abort();
    }
    return 0;
}
