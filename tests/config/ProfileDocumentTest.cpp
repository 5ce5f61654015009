#include "config/ProfileDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kestrel;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

ProfileDocument::Kind kindOf(const std::string& text)
{
    return ProfileDocument::kindOf(bytesOf(text));
}

std::string parseError(const std::string& text)
{
    std::string error;
    const auto document = ProfileDocument::parse(bytesOf(text), error);
    EXPECT_EQ(document.has_value(), error.empty()) << error;
    return error;
}

} // namespace

TEST(ProfileDocumentTest, WhatAFileIsFollowsFromItsFirstBytesNeverItsSize)
{
    using Kind = ProfileDocument::Kind;
    EXPECT_EQ(kindOf("{}"), Kind::Profile);
    EXPECT_EQ(kindOf(" \r\n\t{"), Kind::Profile);
    EXPECT_EQ(kindOf("\xEF\xBB\xBF  {"), Kind::Profile);
    // A broken profile of exactly a config.bin's size is still a profile.
    std::string trailingComma = "{\"format\": \"kestrel-profile\", \"version\": 1,";
    trailingComma.append(199 - trailingComma.size(), ' ');
    trailingComma += "}";
    ASSERT_EQ(trailingComma.size(), 200u);
    EXPECT_EQ(kindOf(trailingComma), Kind::Profile);
    EXPECT_EQ(kindOf(std::string(200, '\0')), Kind::NotAProfile);
    EXPECT_EQ(kindOf(std::string("\x01\0\0\0\0\x01{", 7)), Kind::NotAProfile);
    EXPECT_EQ(kindOf("[1, 2]"), Kind::NotAProfile);
    EXPECT_EQ(kindOf(""), Kind::NotAProfile);

    EXPECT_EQ(kindOf("\xFF\xFE{"), Kind::Utf16Text);
    EXPECT_EQ(kindOf("\xFE\xFF"), Kind::Utf16Text);
    EXPECT_EQ(kindOf(std::string(" \0\n\0{\0\"\0", 8)), Kind::Utf16Text);
    EXPECT_EQ(kindOf(std::string("\0{\0\"", 4)), Kind::Utf16Text);
    EXPECT_EQ(parseError(std::string("{\0}\0", 4)), "saved as UTF-16; save it as UTF-8");
}

TEST(ProfileDocumentTest, NestingDeeperThanAProfileIsRefusedBeforeTheParserSeesIt)
{
    EXPECT_EQ(parseError(std::string(50000, '[') + std::string(50000, ']')),
              "nested deeper than 7 levels at byte 7; a profile nests at most 7 deep");
    EXPECT_NE(parseError(std::string(100000, '{')).find("nested deeper than 7 levels"), std::string::npos);
    // As deep as a profile goes: buttons, group, button, stored, values, {"byte": N}.
    EXPECT_EQ(parseError(R"({"b": [[{"s": {"f": {"key": {"byte": 4}}}}]]})"), "");
    EXPECT_NE(parseError(R"({"b": [[{"s": {"f": {"key": {"byte": [4]}}}}]]})"), "");
    // Brackets inside strings, escaped quotes included, are text.
    EXPECT_EQ(parseError(R"({"caption": "[[[[[[[[{{{{{{{{\"[[[[[[[["})"), "");
}

TEST(ProfileDocumentTest, ARepeatedKeyIsRefusedByItsPathWhileTheSameKeyInAnotherObjectIsFine)
{
    EXPECT_EQ(parseError(R"({"report_rate": 250, "fire": {}, "report_rate": 500})"),
              "report_rate: the key is given twice; an object names each key once");
    EXPECT_EQ(parseError(R"({"version": 1, "version": 1})"),
              "version: the key is given twice; an object names each key once");
    EXPECT_EQ(parseError(R"({"buttons": [[{"a": 1}, [], 3, {"function": "A", "x": {}, "function": "B"}]]})"),
              "buttons[0][3].function: the key is given twice; an object names each key once");
    EXPECT_EQ(parseError(R"({"stages": [{"dpi": 1}, {"dpi": 2}], "fire": {"dpi": 3}})"), "");
    const std::string longKey(900000, 'k');
    const std::string error = parseError("{\"" + longKey + "\": 1, \"" + longKey + "\": 2}");
    EXPECT_LT(error.size(), 200u);
    EXPECT_TRUE(error.starts_with(std::string(60, 'k') + "...: the key is given twice")) << error.substr(0, 100);
}

TEST(ProfileDocumentTest, AnObjectWithFarMoreKeysThanAProfileIsRefusedWhileBeingRead)
{
    std::string keys;
    for (int i = 0; i < 1000; ++i)
        keys += ",\"k" + std::to_string(i) + "\":1";
    EXPECT_EQ(parseError("{\"fire\": {\"a\": 1" + keys + "}}"),
              "fire: more than 1000 keys in one object; a profile has at most 12");
    EXPECT_EQ(parseError("{\"fire\": {" + keys.substr(1) + "}}"), "");
}

TEST(ProfileDocumentTest, ASyntaxErrorSaysWhereItIs)
{
    EXPECT_EQ(parseError(R"({"version": 1,})"),
              "not valid JSON: parse error at line 1, column 15: syntax error while parsing object key - unexpected "
              "'}'; expected string literal");
}
