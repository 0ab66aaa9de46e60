// The schema check itself: it passes a good file and refuses a wrong order, a wrong value and bad bytes.
#include <XmlSchemaCheck.h>

#include <gtest/gtest.h>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

TEST(SchemaCheck, RefusesWhatTheFileCannotBe)
{
    const std::string good = ReadFile(STMTPORT_SOURCE_DIR "/tests/xml/expected/fixture_company.xml");
    ASSERT_FALSE(good.empty());
    struct Case {
        const char* name;
        std::string from;
        std::string to;
        bool valid;
    };
    const Case cases[] = {
        {"the expected file", "", "", true},
        {"an Item without its label", "<Item Label=\"建物\">", "<Item>", false},
        {"a zero item amount", ">150</Item>", ">0</Item>", false},
        {"a total line without Amount", " Amount=\"2000\"></GrossProfit>", "></GrossProfit>", false},
        {"sections out of order", "<VERSION>1</VERSION>\r\n\t\t<FUNCTIONID>3</FUNCTIONID>",
         "<FUNCTIONID>3</FUNCTIONID>\r\n\t\t<VERSION>1</VERSION>", false},
        {"a sub-note outside its heading", "\t\t\t<ItemsOtherNotes>\r\n", "\t\t\t<PledgedAssets></PledgedAssets>\r\n\t\t\t<ItemsOtherNotes>\r\n", false},
        {"bytes that are not CP932", "KT31", "KT\x85\x40", false},
        {"another declaration", "encoding=\"Shift_JIS\"", "encoding=\"UTF-8\"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = good;
        if (!c.from.empty()) {
            const size_t at = text.find(c.from);
            ASSERT_NE(std::string::npos, at);
            text.replace(at, c.from.size(), c.to);
        }
        WriteFile(HostPath("schema.xml"), text);
        const xmlcheck::SchemaResult result = xmlcheck::ValidateStatementsFile(HostPath("schema.xml"));
        EXPECT_EQ(c.valid, result.valid) << result.messages;
    }
}

}  // namespace
