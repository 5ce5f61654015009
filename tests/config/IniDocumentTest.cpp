#include "config/IniDocument.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestrel {
namespace {

IniDocument documentOf(std::string_view text)
{
    return IniDocument::fromBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string textOf(const IniDocument& document)
{
    const std::vector<std::uint8_t> bytes = document.toBytes();
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> utf16LeWithBom(std::u16string_view text)
{
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

TEST(IniDocumentTest, LookupIgnoresCaseTakesFirstMatchAndTrims)
{
    const IniDocument document = documentOf(
        "; Lan=comment\r\n"
        "Lan=before any section\r\n"
        "[ skins ]\r\n"
        "  lan  =  CHS  \r\n"
        "LAN=second\r\n"
        "Path = \"Blue Sky\" \r\n"
        "Quote='half\r\n"
        "NoEquals\r\n"
        "\r\n"
        "[SKINS]\r\n"
        "Extra=only in the second section\r\n"
        "[Setting-EN]\r\n"
        "Item1=Left Click\r\n");

    EXPECT_EQ(document.value("Skins", "Lan"), "CHS");
    EXPECT_EQ(document.value("SKINS", "lAN"), "CHS");
    EXPECT_EQ(document.value("Skins", "Path"), "Blue Sky");
    EXPECT_EQ(document.value("Skins", "Quote"), "'half");
    EXPECT_EQ(document.value("Skins", "Extra"), "");
    EXPECT_EQ(document.value("Skins", "NoEquals"), "");
    EXPECT_EQ(document.value("setting-en", "ITEM1"), "Left Click");
    EXPECT_EQ(document.value("Setting-EN", "Item2"), "");
    EXPECT_EQ(document.value("Missing", "Lan"), "");
    EXPECT_EQ(document.value("", "Lan"), "");
}

TEST(IniDocumentTest, ValueKeepsAtMost1023Characters)
{
    std::string chinese;
    for (int i = 0; i < 1500; ++i) chinese += "键";
    const IniDocument document = documentOf("[S]\nascii=" + std::string(2000, 'a') + "\nexact=" + std::string(1023, 'b')
                                            + "\nchinese=" + chinese + "\n");

    EXPECT_EQ(document.value("S", "ascii"), std::string(1023, 'a'));
    EXPECT_EQ(document.value("S", "exact"), std::string(1023, 'b'));
    EXPECT_EQ(document.value("S", "chinese"), chinese.substr(0, 1023 * std::string("键").size()));
}

TEST(IniDocumentTest, SettingOneKeyKeepsEverythingElseByteForByte)
{
    IniDocument document = documentOf("; keep me\r\n[Skins]\r\n Lan = CHS   \r\nPath=old\r\n\r\n[Other]\r\nx=1\r\n");

    document.setValue("skins", "PATH", "new");
    EXPECT_EQ(textOf(document), "; keep me\r\n[Skins]\r\n Lan = CHS   \r\nPath=new\r\n\r\n[Other]\r\nx=1\r\n");

    document.setValue("Skins", "RColor", "5");
    EXPECT_EQ(textOf(document), "; keep me\r\n[Skins]\r\n Lan = CHS   \r\nPath=new\r\nRColor=5\r\n\r\n[Other]\r\nx=1\r\n");

    document.setValue("Setting-EN", "Item1", "Left Click");
    EXPECT_EQ(textOf(document), "; keep me\r\n[Skins]\r\n Lan = CHS   \r\nPath=new\r\nRColor=5\r\n\r\n[Other]\r\nx=1\r\n"
                                "[Setting-EN]\r\nItem1=Left Click\r\n");
    EXPECT_EQ(document.value("Setting-EN", "Item1"), "Left Click");
}

TEST(IniDocumentTest, NewLinesFollowTheFileAndMissingPiecesAreCreated)
{
    IniDocument bareBreaks = documentOf("[Skins]\nLan=CHS");
    bareBreaks.setValue("Skins", "Path", "x");
    EXPECT_EQ(textOf(bareBreaks), "[Skins]\nLan=CHS\nPath=x");

    IniDocument noBreak = documentOf("x=1");
    noBreak.setValue("S", "k", "v");
    EXPECT_EQ(textOf(noBreak), "x=1\r\n[S]\r\nk=v\r\n");

    IniDocument headerOnly = documentOf("[S]");
    headerOnly.setValue("S", "k", "v");
    EXPECT_EQ(textOf(headerOnly), "[S]\r\nk=v");

    IniDocument empty;
    empty.setValue("Setting-CHS", "Item1", "左键");
    EXPECT_EQ(empty.encoding(), IniDocument::Encoding::Utf8);
    EXPECT_EQ(textOf(empty), "[Setting-CHS]\r\nItem1=左键\r\n");
}

TEST(IniDocumentTest, LineBreaksInWrittenValuesCannotAddLines)
{
    IniDocument document;
    document.setValue("S", "k", "a\r\nb=c\n[T]");
    EXPECT_EQ(document.value("S", "k"), "a  b=c [T]");
    EXPECT_EQ(document.value("S", "b"), "");
    EXPECT_EQ(document.value("T", "k"), "");
}

TEST(IniDocumentTest, Utf16LeFileReadsAndStaysUtf16Le)
{
    IniDocument document = IniDocument::fromBytes(utf16LeWithBom(u"[Skins]\r\nLan=CHT\r\n[Setting-CHT]\r\nItem1=左鍵\r\n"));
    EXPECT_EQ(document.encoding(), IniDocument::Encoding::Utf16Le);
    EXPECT_EQ(document.value("Skins", "Lan"), "CHT");
    EXPECT_EQ(document.value("Setting-CHT", "Item1"), "左鍵");

    document.setValue("Setting-CHT", "Item2", "右鍵 😀");
    EXPECT_EQ(document.toBytes(), utf16LeWithBom(u"[Skins]\r\nLan=CHT\r\n[Setting-CHT]\r\nItem1=左鍵\r\nItem2=右鍵 😀\r\n"));
    EXPECT_EQ(document.value("Setting-CHT", "Item2"), "右鍵 😀");
}

TEST(IniDocumentTest, Utf8ByteOrderMarkIsKeptAndNotPartOfTheText)
{
    IniDocument document = documentOf("\xEF\xBB\xBF[Skins]\r\nLan=CHS\r\n");
    EXPECT_EQ(document.value("Skins", "Lan"), "CHS");
    document.setValue("Skins", "Lan", "CHT");
    EXPECT_EQ(textOf(document), "\xEF\xBB\xBF[Skins]\r\nLan=CHT\r\n");
}

TEST(IniDocumentTest, UndecodableTextReadsAsReplacementAndIsKeptOnWrite)
{
    IniDocument utf8 = documentOf("junk\xFE\xFF\r\n[S]\r\nk=a\xFF\xC0z\r\nother=v\r\n");
    EXPECT_EQ(utf8.value("S", "k"), "a\uFFFD\uFFFDz");
    utf8.setValue("S", "other", "w");
    EXPECT_EQ(textOf(utf8), "junk\xFE\xFF\r\n[S]\r\nk=a\xFF\xC0z\r\nother=w\r\n");

    std::vector<std::uint8_t> utf16 = utf16LeWithBom(u"[S]\r\nk=a\xD800z\r\n");
    utf16.push_back(0x41);
    IniDocument odd = IniDocument::fromBytes(utf16);
    EXPECT_EQ(odd.value("S", "k"), "a\uFFFDz");
    odd.setValue("S", "k", "b");
    std::vector<std::uint8_t> expected = utf16LeWithBom(u"[S]\r\nk=b\r\n");
    expected.push_back(0x41);
    EXPECT_EQ(odd.toBytes(), expected);
}

// Whatever a file holds, reading and writing finish and the written key reads back.
TEST(IniDocumentTest, JunkBinaryAndHugeContentNeverBreakReadingOrWriting)
{
    using namespace std::string_literals;
    std::mt19937 random(20240611);
    std::string noise(1 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::string structured;
    for (int i = 0; i < 20000; ++i) structured += "[\n]\n=\n[[x]]]\n;=\n \t\r\n\0=\0\n[Skins\nPath\n"s;
    const std::string hugeLine = "[Skins]\nPath=" + std::string(20'000'000, 'p');

    std::vector<std::vector<std::uint8_t>> files;
    for (const std::string& text : {noise, structured, hugeLine, "\xFF\xFE"s + noise, "\xFF"s, "\xEF\xBB"s})
        files.emplace_back(text.begin(), text.end());
    for (const std::vector<std::uint8_t>& bytes : files) {
        IniDocument document = IniDocument::fromBytes(bytes);
        EXPECT_LE(document.value("Skins", "Path").size(), 4 * IniDocument::kMaxValueLength);
        document.setValue("Skins", "Path", "ok");
        EXPECT_EQ(document.value("Skins", "Path"), "ok");
    }
}

} // namespace
} // namespace kestrel
