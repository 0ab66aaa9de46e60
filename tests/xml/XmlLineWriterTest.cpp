// Line shapes, escaping and the failure states of the statements file's line writer.
#include <XmlLineWriter.h>

#include <gtest/gtest.h>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

struct ShapeCase {
    const char* name;
    std::function<int(XmlLineWriter&)> write;
    std::string expected;
};

TEST(XmlLineWriter, LineShapes)
{
    const ShapeCase cases[] = {
        {"bare start tag", [](XmlLineWriter& w) { return w.WriteStartTag("REPORT", 0); }, "<REPORT>\r\n"},
        {"negative indent", [](XmlLineWriter& w) { return w.WriteEndTag("REPORT", -3); }, "</REPORT>\r\n"},
        {"item with one attribute",
         [](XmlLineWriter& w) { return w.WriteTextElement("Item", "1200", 5, "Label", "cash"); },
         "\t\t\t\t\t<Item Label=\"cash\">1200</Item>\r\n"},
        {"empty text and two attributes, no self-closing form",
         [](XmlLineWriter& w) { return w.WriteTextElement("GrossProfit", "", 3, "Label", "gp", "Amount", ""); },
         "\t\t\t<GrossProfit Label=\"gp\" Amount=\"\"></GrossProfit>\r\n"},
        {"text escaped",
         [](XmlLineWriter& w) { return w.WriteTextElement("Line", "a&b<c>", 1); },
         "\t<Line>a&amp;b&lt;c&gt;</Line>\r\n"},
        {"quotes escaped in an attribute",
         [](XmlLineWriter& w) { return w.WriteStartTag("G", 0, "Label", "say \"hi\" it's"); },
         "<G Label=\"say &quot;hi&quot; it&apos;s\">\r\n"},
        {"first attribute missing: neither is written",
         [](XmlLineWriter& w) { return w.WriteStartTag("G", 1, nullptr, "x", "Amount", "5"); },
         "\t<G>\r\n"},
        {"first attribute without a value: neither is written",
         [](XmlLineWriter& w) { return w.WriteTextElement("G", "t", 0, "Label", nullptr, "Amount", "5"); },
         "<G>t</G>\r\n"},
        {"first attribute empty, second follows",
         [](XmlLineWriter& w) { return w.WriteStartTag("G", 0, "Label", "", "Amount", "-7"); },
         "<G Label=\"\" Amount=\"-7\">\r\n"},
        {"raw text as given",
         [](XmlLineWriter& w) { return w.WriteRaw("<?x?>\r\n&<"); },
         "<?x?>\r\n&<"},
        // ソ is 0x83 0x5C and ― is 0x81 0x5C, 表 is 0x95 0x5C, ポ is 0x83 0x7C.
        {"trail bytes 0x5C and 0x7C unchanged",
         [](XmlLineWriter& w) { return w.WriteTextElement("Line", "ソ表ポ―", 0, "Label", "ソポ"); },
         "<Line Label=\"\x83\x5C\x83\x7C\">\x83\x5C\x95\x5C\x83\x7C\x81\x5C</Line>\r\n"},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Written written = WriteSection(c.write);
        EXPECT_EQ(1, written.result);
        EXPECT_EQ(c.expected, written.text);
    }
}

TEST(XmlLineWriter, LongTextsAreWrittenWhole)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "漢&";
    std::string escaped;
    for (int i = 0; i < 300; ++i)
        escaped += "漢&amp;";
    const Written written = WriteSection([&](XmlLineWriter& w) {
        return w.WriteTextElement("Line", text.c_str(), 2, "Label", text.c_str());
    });
    EXPECT_EQ(1, written.result);
    EXPECT_EQ("\t\t<Line Label=\"" + escaped + "\">" + escaped + "</Line>\r\n", written.text);
}

TEST(XmlLineWriter, EscapeText)
{
    EXPECT_EQ(CString("&amp;&gt;&lt;&quot;&apos;x"), XmlLineWriter::EscapeText("&><\"'x"));
    EXPECT_EQ(CString(""), XmlLineWriter::EscapeText(nullptr));
}

TEST(XmlLineWriter, OpenRefusesMissingArguments)
{
    CFile file;
    XmlLineWriter writer;
    EXPECT_EQ(-1, writer.Open(nullptr, WindowsPath("x.xml").c_str()));
    EXPECT_EQ(-1, writer.Open(&file, nullptr));
    EXPECT_EQ(0, writer.WriteRaw("x"));
    EXPECT_EQ(0, writer.Close());
}

TEST(XmlLineWriter, OpenFailureLeavesEveryWriteFailing)
{
    CFile file;
    XmlLineWriter writer;
    EXPECT_EQ(-1, writer.Open(&file, WindowsPath("no/such/folder/x.xml").c_str()));
    EXPECT_EQ(0, writer.WriteStartTag("REPORT", 0));
    EXPECT_EQ(0, writer.Close());
}

TEST(XmlLineWriter, FailedWriteFailsEveryLaterWriteAndCloseIsSafe)
{
    CFile file;
    XmlLineWriter writer;
    ASSERT_EQ(0, writer.Open(&file, "D:\\full"));
    EXPECT_EQ(0, writer.WriteStartTag("REPORT", 0));
    EXPECT_EQ(0, writer.WriteEndTag("REPORT", 0));
    EXPECT_EQ(0, writer.WriteTextElement("A", "b", 1));
    EXPECT_EQ(0, writer.WriteRaw("x"));
    EXPECT_EQ(0, writer.Close());
    EXPECT_EQ(0, writer.Close());
}

TEST(XmlLineWriter, ReopenAfterCloseAndTruncate)
{
    const std::string host = HostPath("reopen.xml");
    WriteFile(host, "old contents that are longer");
    CFile file;
    {
        XmlLineWriter writer;
        ASSERT_EQ(0, writer.Open(&file, WindowsPath("reopen.xml").c_str()));
        EXPECT_EQ(CString(WindowsPath("reopen.xml").c_str()), writer.Path());
        EXPECT_EQ(1, writer.WriteEndTag("A", 0));
        // The destructor closes the file.
    }
    EXPECT_EQ("</A>\r\n", ReadFile(host));
}

}  // namespace
