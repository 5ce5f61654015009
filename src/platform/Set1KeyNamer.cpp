#include "platform/Set1KeyNamer.h"

#include "platform/ScanCodeNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kestrel {

namespace {

constexpr std::uint32_t kScanCodeMask = 0xFF;
// The last key of the main block whose set-1 code is its input code (F12).
constexpr std::uint32_t kLastPlainCode = 0x58;
// Pause arrives as 0x45 without the extended bit, Num Lock as 0x45 with it:
// the other way round from the keyboard's own codes.
constexpr std::uint32_t kPauseOrNumLock = 0x45;
constexpr std::uint32_t kNumLockInput = 69;
constexpr std::uint32_t kPauseInput = 119;

struct CodePair {
    std::uint32_t scanCode;
    std::uint32_t inputCode;
};

// F13-F23 follow each other; F24 stands apart.
constexpr std::array<CodePair, 12> kFunctionKeys{{
    {0x64, 183}, {0x65, 184}, {0x66, 185}, {0x67, 186}, {0x68, 187}, {0x69, 188},
    {0x6A, 189}, {0x6B, 190}, {0x6C, 191}, {0x6D, 192}, {0x6E, 193}, {0x76, 194},
}};

// The keys with the E0 prefix: the right-hand modifiers, the keypad's twins
// of the main block and the navigation block.
constexpr std::array<CodePair, 19> kExtendedKeys{{
    {0x1C, 96},  {0x1D, 97},  {0x35, 98},  {0x37, 99},  {0x38, 100}, {0x45, kNumLockInput},
    {0x47, 102}, {0x48, 103}, {0x49, 104}, {0x4B, 105}, {0x4D, 106}, {0x4F, 107},
    {0x50, 108}, {0x51, 109}, {0x52, 110}, {0x53, 111}, {0x5B, ScanCodeNames::kLeftWindows},
    {0x5C, ScanCodeNames::kRightWindows},  {0x5D, 127},
}};

template <std::size_t N>
std::optional<std::uint32_t> find(const std::array<CodePair, N>& pairs, std::uint32_t scanCode)
{
    const auto found =
        std::find_if(pairs.begin(), pairs.end(), [scanCode](const CodePair& pair) { return pair.scanCode == scanCode; });
    if (found == pairs.end())
        return std::nullopt;
    return found->inputCode;
}

} // namespace

Set1KeyNamer::Set1KeyNamer(SystemKeyName systemName)
    : systemName_(std::move(systemName))
{
}

std::optional<std::uint32_t> Set1KeyNamer::inputCodeOf(std::uint32_t nativeScanCode)
{
    const std::uint32_t scanCode = nativeScanCode & kScanCodeMask;
    if (nativeScanCode & ~(kScanCodeMask | kExtended))
        return std::nullopt;
    if (nativeScanCode & kExtended)
        return find(kExtendedKeys, scanCode);
    if (scanCode == kPauseOrNumLock)
        return kPauseInput;
    if (scanCode >= 1 && scanCode <= kLastPlainCode)
        return scanCode;
    return find(kFunctionKeys, scanCode);
}

std::int32_t Set1KeyNamer::keystrokeOf(std::uint32_t nativeScanCode)
{
    // Bits 16-23 the scan code, bit 24 the extended-key flag.
    return static_cast<std::int32_t>((nativeScanCode & (kScanCodeMask | kExtended)) << 16);
}

std::string Set1KeyNamer::nameOf(std::uint32_t nativeScanCode) const
{
    if (const auto inputCode = inputCodeOf(nativeScanCode)) {
        const std::string_view name = ScanCodeNames::nameOfInputCode(*inputCode);
        if (!name.empty())
            return std::string(name);
    }
    // A code of 0 (a synthesised key event) or beyond the keystroke's bits names no key at all.
    if ((nativeScanCode & kScanCodeMask) == 0 || (nativeScanCode & ~(kScanCodeMask | kExtended)) != 0 || !systemName_)
        return {};
    return systemName_(keystrokeOf(nativeScanCode));
}

bool Set1KeyNamer::isWindowsKey(std::uint32_t nativeScanCode) const
{
    const auto inputCode = inputCodeOf(nativeScanCode);
    return inputCode == ScanCodeNames::kLeftWindows || inputCode == ScanCodeNames::kRightWindows;
}

} // namespace kestrel
