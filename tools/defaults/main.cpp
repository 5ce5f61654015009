// Writes the config.bin that ships with the program: first-run flag 0 and the
// default settings record, so that the file is made from readable source.
#include <DefaultSettings.h>

#include <fstream>
#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: kestrel-defaults CONFIG_BIN\n";
        return 2;
    }
    const kestrel::SettingsRecord record = kestrel::defaultSettingsRecord();
    const auto bytes = record.bytes();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    const char firstRunFlag = 0;
    out.write(&firstRunFlag, 1);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "kestrel-defaults: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
