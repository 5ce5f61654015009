// An INI document in any encoding the files may carry: looked up, changed and written back.
#include "FuzzInput.h"

#include "config/IniDocument.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kestrel::fuzz::FuzzInput input(data, size);
    const std::string section(input.text(input.byte() % 16));
    const std::string key(input.text(input.byte() % 16));
    const std::string value(input.text(input.byte() % 32));
    kestrel::IniDocument document = kestrel::IniDocument::fromBytes(input.rest());
    (void)document.value(section, key);
    (void)document.value("Skins", "Lan");
    document.setValue(section, key, value);
    const auto written = document.toBytes();
    // The written document reads again.
    const kestrel::IniDocument reread = kestrel::IniDocument::fromBytes(written);
    (void)reread.value(section, key);
    return 0;
}
