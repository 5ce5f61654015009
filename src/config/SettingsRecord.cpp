#include "config/SettingsRecord.h"

#include <cassert>

namespace kestrel {

namespace {
std::size_t byteIndex(RecordField field, int index)
{
    assert(index >= 0 && static_cast<std::size_t>(index) < field.size);
    return field.offset + static_cast<std::size_t>(index);
}

int buttonIndex(KeyGroup group, int button)
{
    assert(button >= 0 && button < SettingsRecord::kButtonCount);
    return static_cast<int>(keygroup::slot(group, button));
}

constexpr int kColourBytes = 3;
} // namespace

std::uint8_t& SettingsRecord::at(RecordField field, int index)
{
    return bytes_[byteIndex(field, index)];
}

std::uint8_t SettingsRecord::at(RecordField field, int index) const
{
    return bytes_[byteIndex(field, index)];
}

std::uint8_t& SettingsRecord::at(RecordField field, KeyGroup group, int button)
{
    return at(field, buttonIndex(group, button));
}

std::uint8_t SettingsRecord::at(RecordField field, KeyGroup group, int button) const
{
    return at(field, buttonIndex(group, button));
}

Rgb SettingsRecord::dpiColor(int stage) const
{
    const int first = stage * kColourBytes;
    return Rgb{at(kDpiColor, first), at(kDpiColor, first + 1), at(kDpiColor, first + 2)};
}

void SettingsRecord::setDpiColor(int stage, Rgb colour)
{
    const int first = stage * kColourBytes;
    at(kDpiColor, first) = colour.r;
    at(kDpiColor, first + 1) = colour.g;
    at(kDpiColor, first + 2) = colour.b;
}

} // namespace kestrel
