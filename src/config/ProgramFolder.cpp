#include "ProgramFolder.h"

#include <utility>

namespace kestrel {

ProgramFolder::ProgramFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path ProgramFolder::configBin() const { return folder_ / "config.bin"; }

std::filesystem::path ProgramFolder::strIni() const { return folder_ / "str.ini"; }

std::filesystem::path ProgramFolder::recordIni() const { return folder_ / "record.ini"; }

std::filesystem::path ProgramFolder::skinsFolder() const { return folder_ / "Skins"; }

} // namespace kestrel
