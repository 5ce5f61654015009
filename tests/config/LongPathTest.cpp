#include "config/LongPath.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using longpath::extendedLengthPath;
using longpath::kPrefixFrom;

const std::wstring kFolder = L"C:\\Users\\me";

// A folder name that makes any path below it long.
std::wstring longName(wchar_t letter = L'd')
{
    return std::wstring(kPrefixFrom, letter);
}

TEST(LongPathTest, PathsShorterThanTheLimitReachTheSystemAsGiven)
{
    for (const std::wstring& path : {std::wstring(L"config.bin"), std::wstring(L"C:/x/./y/../config.bin"),
                                     std::wstring(L"..\\profile.json"), std::wstring(L"\\\\server\\share\\a")})
        EXPECT_EQ(extendedLengthPath(path, kFolder), path);

    // The full form counts: "C:\" and the name add up to the limit exactly.
    const std::wstring justBelow = L"C:\\" + std::wstring(kPrefixFrom - 4, L'a');
    EXPECT_EQ(extendedLengthPath(justBelow, kFolder), justBelow);
    const std::wstring atLimit = justBelow + L"a";
    EXPECT_EQ(extendedLengthPath(atLimit, kFolder), L"\\\\?\\" + atLimit);
    const std::wstring relative(kPrefixFrom - kFolder.size() - 1, L'a');
    EXPECT_EQ(extendedLengthPath(relative, kFolder), L"\\\\?\\" + kFolder + L"\\" + relative);
    EXPECT_EQ(extendedLengthPath(relative.substr(1), kFolder), relative.substr(1));
}

TEST(LongPathTest, LongPathsAreCleanedUpAsTheSystemWouldBeforeTheyGetThePrefix)
{
    const std::wstring name = longName();
    EXPECT_EQ(extendedLengthPath(L"C:/" + name + L"/./sub//../config.bin", kFolder),
              L"\\\\?\\C:\\" + name + L"\\config.bin");
    EXPECT_EQ(extendedLengthPath(name + L"\\profile.json", kFolder),
              L"\\\\?\\C:\\Users\\me\\" + name + L"\\profile.json");
    EXPECT_EQ(extendedLengthPath(L"..\\..\\..\\" + name, kFolder), L"\\\\?\\C:\\" + name);
    EXPECT_EQ(extendedLengthPath(L"\\" + name, L"D:\\work"), L"\\\\?\\D:\\" + name);
    EXPECT_EQ(extendedLengthPath(L"\\\\server\\share\\" + name + L"\\a.ini", kFolder),
              L"\\\\?\\UNC\\server\\share\\" + name + L"\\a.ini");
    EXPECT_EQ(extendedLengthPath(L"//server/share/../" + name, kFolder), L"\\\\?\\UNC\\server\\share\\" + name);
    // A current folder the system reports in its extended form.
    EXPECT_EQ(extendedLengthPath(name, L"\\\\?\\E:\\x"), L"\\\\?\\E:\\x\\" + name);
    EXPECT_EQ(extendedLengthPath(name, L"\\\\?\\UNC\\srv\\sh"), L"\\\\?\\UNC\\srv\\sh\\" + name);
}

TEST(LongPathTest, FormsTheSystemResolvesOtherwiseAreLeftToIt)
{
    const std::wstring name = longName();
    for (const std::wstring& path :
         {L"\\\\?\\C:\\" + name, std::wstring(L"\\\\.\\COM1"), L"\\??\\C:\\" + name, L"C:" + name, L"C:\\" + name + L"\\file.",
          L"C:\\" + name + L"\\file ", L"C:\\" + name + L"\\NUL", L"C:\\" + name + L"\\con.txt",
          L"C:\\" + name + L"\\Lpt3 .log", std::wstring(L"\\\\server"), L"\\\\server\\\\" + name})
        EXPECT_EQ(extendedLengthPath(path, kFolder), path);
    // Without a usable current folder a relative path cannot be resolved.
    EXPECT_EQ(extendedLengthPath(name, L""), name);
    EXPECT_EQ(extendedLengthPath(L"\\" + name, L"\\\\server\\share"), L"\\" + name);
    // Names that merely resemble devices are ordinary.
    EXPECT_EQ(extendedLengthPath(L"C:\\" + name + L"\\COM10", kFolder), L"\\\\?\\C:\\" + name + L"\\COM10");
    EXPECT_EQ(extendedLengthPath(L"C:\\" + name + L"\\nullable", kFolder), L"\\\\?\\C:\\" + name + L"\\nullable");
}

} // namespace
} // namespace kestrel
