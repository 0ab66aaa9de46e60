// Reading the product name and version from SUPPORT.INF, within its 30000-byte buffer.
#include <SupportInfoFile.h>

#include <gtest/gtest.h>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

const std::string NAME_KEY = "[=製品名=]";
const std::string VERSION_KEY = "[=製品ﾊﾞｰｼﾞｮﾝ=]";
const std::string INQUIRY_KEY = "[=お問い合わせ内容=]";
const std::string STEPS_KEY = "[=症状が再現する手順や条件=]";
constexpr size_t BUFFER = SupportInfoFile::BUFFER_SIZE;

struct Lookup {
    std::string name;
    std::string version;
};

// Writes `contents` as SUPPORT.INF in a folder of its own and looks both keys up.
Lookup Read(const std::string& contents)
{
    static int serial = 0;
    const std::string folder = "support" + std::to_string(++serial);
    WriteFile(HostPath(folder + "/SUPPORT.INF"), contents);
    SupportInfoFile support;
    support.folder = (WindowsPath(folder) + "\\").c_str();
    const CString name = support.ProductName();
    const CString version = support.ProductVersion();
    return {name.Str(), version.Str()};
}

// Lines of filler that bring a text to exactly `length` bytes.
std::string PaddedTo(size_t length)
{
    std::string text;
    while (text.size() + 12 <= length)
        text += "[=other=]x\r\n";
    text.append(length - text.size(), 'x');
    return text;
}

struct Case {
    const char* name;
    std::string contents;
    Lookup expected;
};

TEST(SupportInfoFile, Lookups)
{
    const std::string longValue(400, 'v');
    const Case cases[] = {
        {"both keys", "[=a=]1\r\n" + NAME_KEY + "Zentallo２１ Pro\r\n" + VERSION_KEY + "21.05.10\r\n",
         {"Zentallo２１ Pro", "21.05.10"}},
        {"empty value", NAME_KEY + "\r\n" + VERSION_KEY + "9\r\n", {"", "9"}},
        {"no CR LF after the last line", NAME_KEY + "N\r\n" + VERSION_KEY + "21.00.01", {"N", "21.00.01"}},
        {"end-of-file mark ends the value", NAME_KEY + "N\x1A" + "garbage\r\n", {"N", ""}},
        {"a value longer than 255 bytes is whole", NAME_KEY + longValue + "\r\n", {longValue, ""}},
        {"keys after a multi-line value are still found",
         INQUIRY_KEY + "first\r\nsecond\r\n" + NAME_KEY + "N\r\n" + STEPS_KEY + "a\r\nb\r\n" + VERSION_KEY + "V\r\n",
         {"N", "V"}},
        {"a key right after a multi-line key", INQUIRY_KEY + NAME_KEY + "N\r\n", {"N", ""}},
        {"a multi-line value running into the unfilled space", NAME_KEY + "N\r\n" + STEPS_KEY + "a\r\nb",
         {"N", ""}},
        {"a key inside a double-byte character is not a key",
         "\x81" + NAME_KEY + "wrong\r\n" + NAME_KEY + "right\r\n", {"right", ""}},
        {"only the first 30000 bytes are read", PaddedTo(BUFFER) + NAME_KEY + "beyond\r\n", {"", ""}},
        {"a key at the very end of the buffer", PaddedTo(BUFFER - NAME_KEY.size()) + NAME_KEY + "cut off\r\n",
         {"", ""}},
        {"a value running to the end of the buffer",
         PaddedTo(BUFFER - NAME_KEY.size() - 3) + NAME_KEY + "abcdef\r\n", {"abc", ""}},
        {"a CR in the last byte of the buffer", PaddedTo(BUFFER - NAME_KEY.size() - 2) + NAME_KEY + "a\r\n",
         {"a\r", ""}},
        {"a multi-line key at the end of the buffer", PaddedTo(BUFFER - INQUIRY_KEY.size() - 2) + INQUIRY_KEY + "ab",
         {"", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Lookup found = Read(c.contents);
        EXPECT_EQ(c.expected.name, found.name);
        EXPECT_EQ(c.expected.version, found.version);
    }
}

TEST(SupportInfoFile, MissingFileGivesEmptyTexts)
{
    SupportInfoFile support;
    support.folder = (WindowsPath("no-such-folder") + "\\").c_str();
    EXPECT_TRUE(support.ProductName().IsEmpty());
    EXPECT_TRUE(support.ProductVersion().IsEmpty());
}

}  // namespace
