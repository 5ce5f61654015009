// Writes the config.bin that ships with the program: first-run flag 0 and the
// default settings record, so that the file is made from readable source.
#include "config/BinaryFile.h"
#include "config/ConfigBinFile.h"
#include "config/DefaultSettings.h"

#include <algorithm>
#include <array>
#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: kestrel-defaults CONFIG_BIN\n";
        return 2;
    }
    const kestrel::SettingsRecord record = kestrel::defaultSettingsRecord();
    std::array<std::uint8_t, kestrel::ConfigBinFile::kFileSize> contents{};
    contents[0] = 0;   // no Apply has been made with this file yet
    std::ranges::copy(record.bytes(), contents.begin() + 1);
    if (const std::error_code error = kestrel::BinaryFile::replace(argv[1], contents)) {
        std::cerr << "kestrel-defaults: cannot write " << argv[1] << ": " << error.message() << '\n';
        return 1;
    }
    return 0;
}
