// Splitting the other-notes text: entity passes in order, CR LF lines with empty lines kept.
#include <OtherNotesLines.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Split(const char* text)
{
    OtherNotesLines lines;
    lines.Add(CString("left over from an earlier run"));
    SplitOtherNotesLines(CString(text), lines);
    std::vector<std::string> result;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        result.push_back(lines[i].Str());
    return result;
}

TEST(SplitOtherNotesLines, CutsAtCrLfOnly)
{
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"empty", "", {}},
        {"no CR LF", "one\nline\rwith lone ends", {"one\nline\rwith lone ends"}},
        {"two lines without final CR LF", "first\r\nsecond", {"first", "second"}},
        {"final CR LF adds no line", "first\r\nsecond\r\n", {"first", "second"}},
        {"only CR LF", "\r\n", {""}},
        {"blank line kept", "a\r\n\r\nb", {"a", "", "b"}},
        {"leading and trailing blanks", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
        {"lone CR kept on the last line", "a\r\nb\r", {"a", "b\r"}},
        {"lone CR before CR LF", "a\r\r\nb", {"a\r", "b"}},
        {"lone LF inside a line", "a\nb\r\nc", {"a\nb", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Split(c.text), c.lines);
    }
}

TEST(SplitOtherNotesLines, UnescapesTheFiveEntitiesInOrder)
{
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"&amp;&lt;&gt;&apos;&quot;", "&<>'\""},
        {"&amp;lt;", "<"},
        {"&amp;amp;", "&amp;"},
        {"&amp;quot;x&amp;apos;", "\"x'"},
        {"&#60;&#x3C;&nbsp;&LT;", "&#60;&#x3C;&nbsp;&LT;"},
        {"&lt&amp", "&lt&amp"},
        {"a &amp; b", "a & b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Split(c.text), std::vector<std::string>{c.line});
    }
}

TEST(SplitOtherNotesLines, EntitiesAcrossLines)
{
    EXPECT_EQ(Split("<Title>&lt;a&gt;</Title>\r\n&amp;amp;\r\n"),
              (std::vector<std::string>{"<Title><a></Title>", "&amp;"}));
}

TEST(SplitOtherNotesLines, DoubleByteTextPassesUnchanged)
{
    // "表" is 0x95 0x5C in code page 932: its trail byte is a backslash.
    const std::string table = "\x95\x5C";
    const std::string text = table + "&amp;" + table + "\r\n" + table;
    EXPECT_EQ(Split(text.c_str()), (std::vector<std::string>{table + "&" + table, table}));
}

}

TEST(SplitOtherNotesLines, LeadByteBeforeCrLfTakesTheCr)
{
    // A lead byte pairs with the byte after it, even a CR, as a character-wise search sees it.
    EXPECT_EQ(Split("a\x82\r\nb\r\nc"), (std::vector<std::string>{"a\x82\r\nb", "c"}));
}

TEST(SplitOtherNotesLines, TwentyThousandLinesInOrder)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "<Line>\x92\x8D\x8B\x4C " + std::to_string(i) + "</Line>\r\n";
    const std::vector<std::string> lines = Split(text.c_str());
    ASSERT_EQ(lines.size(), 20000u);
    EXPECT_EQ(lines.front(), "<Line>\x92\x8D\x8B\x4C 0</Line>");
    EXPECT_EQ(lines.back(), "<Line>\x92\x8D\x8B\x4C 19999</Line>");
}
