// Texts: CP932 conversion, full-width mapping, the multibyte run-time, shell roots and CString.
#include <afxstr.h>
#include <crtext.h>
#include <shlwapi.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "files_fixture.h"
#include "host/Codepage.h"

namespace {

TEST(Codepage, ConvertsBothWaysAndReplacesEveryBadByte)
{
    struct Case {
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"\x95\x5C", U8(u8"表")},
        {"\xFA\x57\xFA\x56", U8(u8"＂＇")},
        {"\\~", "\\~"},
        {"\x81\x5F\x81\x60", U8(u8"＼～")},
        {"\xB6\xDE", U8(u8"ｶﾞ")},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(host::Cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(host::Utf8ToCp932(c.utf8), c.cp932);
    }
    const std::string bad = U8(u8"\uFFFD");
    struct Invalid {
        std::string cp932;
        std::string utf8;
    } invalid[] = {
        {"a\x80z", "a" + bad + "z"},
        {"\xFD\xFE\xFF", bad + bad + bad},
        {"\x81", bad},
        {"x\x81 y", "x" + bad + " y"},
        {"\xA0\x95\x5C", bad + U8(u8"表")},
    };
    for (const Invalid& c : invalid) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(host::Cp932ToUtf8(c.cp932), c.utf8);
    }
    EXPECT_EQ(host::Utf8ToCp932("a\xF0\x9F\x98\x80" "b"), "a?b");
    EXPECT_EQ(host::Utf8ToCp932("a\xC3(b\xFF"), "a?(b?");
    EXPECT_EQ(host::Utf8ToCp932Exact("a\xF0\x9F\x98\x80" "b"), std::nullopt);
    EXPECT_EQ(host::ValidUtf8("ok\xE3\x81"), "ok" + bad + bad);
}

TEST(FullWidth, HalfWidthLettersDigitsBlanksSymbolsAndKatakanaBecomeFullWidth)
{
    struct Case {
        const char* source;   // CP932 (plain literals are CP932 bytes)
        const char* expected;
    } cases[] = {
        {"Abc 09", "Ａｂｃ　０９"},
        {"  ", "　　"},
        {"!#&()-.", "！＃＆（）－．"},
        {"\\", "\x81\x5F"},
        {"~", "\x81\x60"},
        {"\"'", "\xFA\x57\xFA\x56"},
        {"ｶﾞｷﾞﾊﾟﾎﾟｳﾞ", "ガギパポヴ"},
        {"ｱﾞ", "ア゛"},
        {"ﾞﾟ", "゛゜"},
        {"ｶﾌﾞｼｷｶﾞｲｼｬ ｻﾝﾌﾟﾙ", "カブシキガイシャ　サンプル"},
        {"ｰ｡｢｣､･", "ー。「」、・"},
        {"株式会社ＡＢＣ", "株式会社ＡＢＣ"},
        {"表ﾋｮｳ1", "表ヒョウ１"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(host::Cp932ToUtf8(c.source));
        int length = static_cast<int>(std::strlen(c.source));
        int needed = LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH, c.source, length, nullptr, 0);
        EXPECT_EQ(needed, static_cast<int>(std::strlen(c.expected)));
        char out[64] = {};
        ASSERT_EQ(LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH, c.source, length, out, sizeof out), needed);
        EXPECT_EQ(host::Cp932ToUtf8(std::string(out, static_cast<size_t>(needed))), host::Cp932ToUtf8(c.expected));
    }
}

TEST(FullWidth, CountsTheTerminatorAndRefusesTooSmallADestination)
{
    EXPECT_EQ(GetSystemDefaultLCID(), 0x0411u);
    EXPECT_EQ(LCMapStringA(0x0411, LCMAP_FULLWIDTH, "ab", -1, nullptr, 0), 5);
    char out[8];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(LCMapStringA(0x0411, LCMAP_FULLWIDTH, "ab", -1, out, sizeof out), 5);
    EXPECT_STREQ(out, "ａｂ");
    EXPECT_EQ(LCMapStringA(0x0411, LCMAP_FULLWIDTH, "ab", -1, out, 4), 0);
    EXPECT_EQ(GetLastError(), 122u);
    EXPECT_EQ(LCMapStringA(0x0411, 0x100, "ab", -1, out, sizeof out), 0);
    EXPECT_EQ(LCMapStringA(0x0411, LCMAP_FULLWIDTH, nullptr, 2, out, sizeof out), 0);
    EXPECT_EQ(LCMapStringA(0x0411, LCMAP_HALFWIDTH, "ガＡ　", -1, out, sizeof out), 5);
    EXPECT_STREQ(out, "ｶﾞA ");
}

TEST(Multibyte, LeadAndTrailTablesFollowCodePage932)
{
    for (unsigned c = 0; c < 0x100; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(_ismbblead(c) != 0, (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
        EXPECT_EQ(_ismbbtrail(c) != 0, (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC));
    }
    EXPECT_EQ(_ismbblead(0x181), 0);
}

TEST(Multibyte, ByteCountedCopyNeverSplitsACharacter)
{
    struct Case {
        const char* source;
        size_t count;
        std::string expected;   // all `count` bytes, padding included
    } cases[] = {
        {"abc", 5, std::string("abc\0\0", 5)},
        {"abc", 2, "ab"},
        {"a表", 2, std::string("a\0", 2)},
        {"a表", 3, "a表"},
        {"表表", 3, std::string("表\0", 3)},
        {"\x81", 2, std::string("\0\0", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        unsigned char out[8];
        std::memset(out, 'x', sizeof out);
        _mbsnbcpy(out, reinterpret_cast<const unsigned char*>(c.source), c.count);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out), c.count), c.expected);
        EXPECT_EQ(out[c.count], 'x');
    }
}

TEST(Multibyte, SplitPathFindsSeparatorsOnlyAtCharacterStarts)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\out\\a.xml", "C:", "\\out\\", "a", ".xml"},
        {"C:\\表\\決算.xml", "C:", "\\表\\", "決算", ".xml"},
        {"C:\\dir\\表", "C:", "\\dir\\", "表", ""},
        {"C:表", "C:", "", "表", ""},
        {"\\\\srv\\docs\\a.b.c", "", "\\\\srv\\docs\\", "a.b", ".c"},
        {"dir.x\\name", "", "dir.x\\", "name", ""},
        {"a/b/c.txt", "", "a/b/", "c", ".txt"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(host::Cp932ToUtf8(c.path));
        char drive[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, name, ext);
        EXPECT_STREQ(drive, c.drive);
        EXPECT_STREQ(dir, c.dir);
        EXPECT_STREQ(name, c.name);
        EXPECT_STREQ(ext, c.ext);
    }
    char name[_MAX_FNAME];
    _splitpath("C:\\x\\n.e", nullptr, nullptr, name, nullptr);
    EXPECT_STREQ(name, "n");
}

TEST(ShellPaths, RootsOfDriveAndNetworkPaths)
{
    struct Case {
        const char* path;
        const char* rest;   // PathSkipRootA, null for none
        const char* root;   // PathStripToRootA
        BOOL stripped;
    } cases[] = {
        {"C:\\a\\b", "a\\b", "C:\\", TRUE},
        {"C:\\", "", "C:\\", TRUE},
        {"C:\\表\\b", "表\\b", "C:\\", TRUE},
        {"\\\\srv\\share\\a", "a", "\\\\srv\\share", TRUE},
        {"\\\\srv\\share", "", "\\\\srv\\share", TRUE},
        {"\\\\表\\表\\a", "a", "\\\\表\\表", TRUE},
        {"\\a", "a", "\\", TRUE},
        {"C:", nullptr, "C:", TRUE},
        {"a\\b", nullptr, "", FALSE},
        {"\\\\srv", nullptr, "\\\\srv", TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(host::Cp932ToUtf8(c.path));
        LPSTR rest = PathSkipRootA(c.path);
        if (c.rest == nullptr) {
            EXPECT_EQ(rest, nullptr);
        } else {
            ASSERT_NE(rest, nullptr);
            EXPECT_STREQ(rest, c.rest);
        }
        char buffer[MAX_PATH];
        std::strcpy(buffer, c.path);
        EXPECT_EQ(PathStripToRootA(buffer), c.stripped);
        EXPECT_STREQ(buffer, c.root);
    }
}

TEST(CStringTest, SearchesAndReplacementsSkipTrailBytes)
{
    CString text("表\\表|x");   // 0x95 0x5C, a real backslash, 0x95 0x5C, '|', 'x'
    EXPECT_EQ(text.GetLength(), 7);
    EXPECT_EQ(text.Find('\\'), 2);
    EXPECT_EQ(text.Find('\\', 3), -1);
    EXPECT_EQ(text.Find("\\表"), 2);
    EXPECT_EQ(text.ReverseFind('\\'), 2);
    EXPECT_EQ(text.Find('|'), 5);
    CString replaced(text);
    EXPECT_EQ(replaced.Replace("\\", "/"), 1);
    EXPECT_EQ(replaced, "表/表|x");
    CString removed(text);
    EXPECT_EQ(removed.Remove('\\'), 1);
    EXPECT_EQ(removed, "表表|x");
    CString kana("ｿ\x5C");   // a half-width katakana is one byte: the backslash after it is real
    EXPECT_EQ(kana.Find('\\'), 1);
    CString many("aXbXc");
    EXPECT_EQ(many.Replace("X", "YY"), 2);
    EXPECT_EQ(many, "aYYbYYc");
    EXPECT_EQ(many.Replace("", "z"), 0);
}

TEST(CStringTest, FormatPiecesAndComparisons)
{
    CString text;
    text.Format("%s/%d/%d:", "user", 1, 22);
    EXPECT_EQ(text, "user/1/22:");
    text.Format("%s%s", static_cast<LPCSTR>(text), "!");
    EXPECT_EQ(text, "user/1/22:!");
    text.AppendFormat("%05d", 42);
    EXPECT_EQ(text, "user/1/22:!00042");
    CString big;
    big.Format("%s", std::string(5000, 'q').c_str());
    EXPECT_EQ(big.GetLength(), 5000);
    EXPECT_EQ(text.Left(4), "user");
    EXPECT_EQ(text.Right(5), "00042");
    EXPECT_EQ(text.Mid(5, 1), "1");
    EXPECT_EQ(text.Mid(100), "");
    EXPECT_EQ(text.Left(-1), "");
    EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
    // Trail bytes 0x61 and 0x41 differ as 'a' and 'A' do, yet make different characters.
    EXPECT_NE(CString("\x82\x61").CompareNoCase("\x82\x41"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_EQ(CString(nullptr), "");
    EXPECT_EQ(CString('-', 3), "---");
    CString buffer;
    std::strcpy(buffer.GetBuffer(10), "hello");
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer, "hello");
    EXPECT_EQ(buffer.GetLength(), 5);
    buffer.GetBufferSetLength(2);
    EXPECT_EQ(buffer, "he");
    EXPECT_EQ(CString("a") + "b" + CString("c") + 'd', "abcd");
}

}  // namespace
