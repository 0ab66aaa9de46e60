// Balance sheet, income statement and cost schedule: selections, labels, amounts and the fixed-asset warning.
#include <StatementXmlBuilder.h>

#include <gtest/gtest.h>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

constexpr int64_t U = 10000;

TEST(CleanLabel, Examples)
{
    struct Case {
        const char* name;
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"brackets of both widths", "【製造】（材料）費", "製造材料費"},
        {"half-width blanks", "売 上 高", "売上高"},
        {"status mark", "[製]賃金", "賃金"},
        {"every mark", "(製)(完)[完](未)[未]《原》［価］　計", "原価計"},
        // メ is 0x83 0x81 and i follows: the bytes 0x81 0x69 there are not the "（" they spell.
        {"no match inside a double-byte character", "メi", "メi"},
        {"0x5C trail byte kept", "ソフト", "ソフト"},
        {"only noise", " 【】 ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString output;
        EXPECT_EQ(1, StatementXmlBuilder::CleanLabel(c.input.c_str(), output, static_cast<int>(c.input.size())));
        EXPECT_EQ(c.expected, output.Str());
    }
    CString untouched("kept");
    EXPECT_EQ(0, StatementXmlBuilder::CleanLabel("", untouched, 0));
    EXPECT_EQ(CString("kept"), untouched);
}

TEST(CleanLabel, StopsAtTheGivenLength)
{
    CString output;
    EXPECT_EQ(1, StatementXmlBuilder::CleanLabel("ab cd", output, 3));
    EXPECT_EQ(CString("ab"), output);
}

TEST(MainStatements, SelectionsByCodeAndKind)
{
    Accounts accounts;
    accounts.Add(0x80880000, "group", U, 2)
        .Add(0x80888000, "kind0", U, 0)
        .Add(0x80888000, "kind3", U, 3)
        .Add(0x80888000, "kind2", U, 2)
        .Add(0x80880000, "exact", U, 0);
    StatementXmlBuilder builder;
    builder.totals = &accounts.list;
    StatementXmlBuilder::WorkingList list;
    ASSERT_EQ(1, builder.CollectByMask(0x80880000, list));
    ASSERT_EQ(3u, list.size());
    EXPECT_STREQ("kind0", list[0]->formalName);
    EXPECT_STREQ("kind3", list[1]->formalName);
    EXPECT_STREQ("exact", list[2]->formalName);
    ASSERT_EQ(1, builder.CollectByCode(0x80880000, list));
    ASSERT_EQ(1u, list.size());
    EXPECT_STREQ("exact", list[0]->formalName);
    ASSERT_NE(nullptr, builder.FindByCode(0x80880000));
    EXPECT_STREQ("group", builder.FindByCode(0x80880000)->formalName);
    EXPECT_EQ(nullptr, builder.FindByCode(0x80881000));
}

TEST(MainStatements, LineForms)
{
    struct Case {
        const char* name;
        std::function<int(StatementXmlBuilder&, XmlLineWriter&)> write;
        std::string expected;
    };
    Accounts accounts;
    accounts.Add(0x80880000, "流動資産", 0, 2)
        .Add(0x80888000, "現金", 12 * U + 9999)
        .Add(0x80888000, "小口", 9999)
        .Add(0x80888000, "仮払", -(U + 1))
        .Add(0x80888000, "集計", 5 * U, 2)
        .Add(0x40880000, "営業利益", -3 * U, 2, "【 】")
        .Add(0x40200080, "税引前", 7 * U, 2, "税引前利益")
        .Add(0x40200100, "法人税", 2 * U)
        .Add(0x40200020, "調整", 2 * U)
        .Add(0x40200010, "住民税合計", 2 * U)
        .Add(0x40200080, "二番目", 2 * U);
    const Case cases[] = {
        {"group with a zero amount", [](StatementXmlBuilder& b, XmlLineWriter& w) {
             return b.WriteGroupStart(w, 0x80880000, "CurrentAssets", 4);
         }, "\t\t\t\t<CurrentAssets Label=\"流動資産\" Amount=\"\">\r\n"},
        {"group without a record", [](StatementXmlBuilder& b, XmlLineWriter& w) {
             return b.WriteGroupStart(w, 0x80820000, "DeferredAssets", 4);
         }, "\t\t\t\t<DeferredAssets>\r\n"},
        {"items: whole units, truncated toward zero, zero left out, other kinds left out",
         [](StatementXmlBuilder& b, XmlLineWriter& w) { return b.WriteItems(w, 0x80880000, 5); },
         "\t\t\t\t\t<Item Label=\"現金\">12</Item>\r\n\t\t\t\t\t<Item Label=\"仮払\">-1</Item>\r\n"},
        {"total line labelled from the formal name when the other is only noise",
         [](StatementXmlBuilder& b, XmlLineWriter& w) { return b.WriteTotalLine(w, 0x40880000, "OperatingIncome", 3); },
         "\t\t\t<OperatingIncome Label=\"営業利益\" Amount=\"-3\"></OperatingIncome>\r\n"},
        {"total line labelled from the other name",
         [](StatementXmlBuilder& b, XmlLineWriter& w) { return b.WriteTotalLine(w, 0x40200080, "X", 3); },
         "\t\t\t<X Label=\"税引前利益\" Amount=\"7\"></X>\r\n"},
        {"total line without a record writes nothing",
         [](StatementXmlBuilder& b, XmlLineWriter& w) { return b.WriteTotalLine(w, 0x40880008, "GrossProfit", 3); },
         ""},
        {"tax items skip the total codes",
         [](StatementXmlBuilder& b, XmlLineWriter& w) { return b.WriteTaxItems(w, 4); },
         "\t\t\t\t<Item Label=\"法人税\">2</Item>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatementXmlBuilder builder;
        builder.totals = &accounts.list;
        const Written written = WriteSection([&](XmlLineWriter& w) { return c.write(builder, w); });
        EXPECT_EQ(1, written.result);
        EXPECT_EQ(c.expected, written.text);
    }
}

TEST(MainStatements, GrossProfitMissingWithoutItsRecord)
{
    Accounts accounts;
    accounts.Add(0x40880000, "営業利益", 9 * U, 2);
    StatementXmlBuilder builder;
    builder.totals = &accounts.list;
    const Written written = WriteSection([&](XmlLineWriter& w) { return builder.WriteIncomeStatement(w); });
    EXPECT_EQ(1, written.result);
    EXPECT_EQ(std::string::npos, written.text.find("GrossProfit"));
    EXPECT_NE(std::string::npos, written.text.find(
        "\t\t\t</CostOfSales>\r\n\t\t\t<SellingGeneralAndAdministrativeExpenses>\r\n\t\t\t</SellingGeneralAndAdministrativeExpenses>\r\n"
        "\t\t\t<OperatingIncome Label=\"営業利益\" Amount=\"9\"></OperatingIncome>\r\n"));
}

TEST(MainStatements, SubcontractCostOnlyWhenItsCodeExists)
{
    for (const int16_t kind : {-1, 0, 2}) {
        SCOPED_TRACE(kind);
        Accounts accounts;
        if (kind >= 0)
            accounts.Add(0x20040000, "外注費", 0, kind);
        StatementXmlBuilder builder;
        builder.totals = &accounts.list;
        const Written written = WriteSection([&](XmlLineWriter& w) { return builder.WriteCostSchedule(w); });
        EXPECT_EQ(1, written.result);
        const std::string group = "\t\t\t</LaborCost>\r\n\t\t\t<SubcontractCost Label=\"外注費\" Amount=\"\">\r\n"
                                  "\t\t\t</SubcontractCost>\r\n\t\t\t<OverheadExpenses>\r\n";
        EXPECT_EQ(kind >= 0, written.text.find(group) != std::string::npos) << written.text;
        EXPECT_EQ(kind >= 0, written.text.find("SubcontractCost") != std::string::npos);
    }
}

TEST(MainStatements, UnplacedFixedAssetWarnedOnceAndListedInAllThreeGroups)
{
    Accounts accounts;
    accounts.Add(0x80840000, "未分類甲", 5 * U, 0, "", 0, 1201 * 10000 + 7)
        .Add(0x80840008, "未分類乙", 6 * U, 3, "", 0, 1202 * 10000)
        .Add(0x80840004, "未分類丙", 9999, 0, "", 0, 1203 * 10000)
        .Add(0x80840000, "固定資産", 11 * U, 2);
    struct Case {
        const char* name;
        HWND owner;
        size_t warnings;
    };
    const Case cases[] = {
        {"with an owner window", reinterpret_cast<HWND>(0x4242), 2},
        {"without an owner window", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatementXmlBuilder builder;
        builder.totals = &accounts.list;
        builder.ownerWindow = c.owner;
        const size_t before = MessageBoxEvents().size();
        const Written written = WriteSection([&](XmlLineWriter& w) { return builder.WriteBalanceSheet(w); });
        EXPECT_EQ(1, written.result);
        const std::vector<std::string> events = MessageBoxEvents();
        ASSERT_EQ(before + c.warnings, events.size());
        if (c.warnings > 0) {
            EXPECT_NE(std::string::npos, events[before].find(Utf8("科目コード") + "\\t" + Utf8("： 1201\\r\\n")
                                                             + Utf8("正式名称") + "\\t" + Utf8("： 未分類甲\\r\\n")))
                << events[before];
            EXPECT_NE(std::string::npos, events[before].find("\"caption\":\"" + Utf8("決算書") + "\""));
            EXPECT_NE(std::string::npos, events[before].find("\"icon\":\"exclamation\",\"buttons\":\"ok\"")) << events[before];
            EXPECT_NE(std::string::npos, events[before + 1].find(Utf8("未分類乙")));
        }
        for (const char* group : {"PropertyPlantAndEquipment>", "IntangibleAssets>", "InvestmentsAndOtherAssets>"}) {
            const std::string block = "<" + std::string(group) + "\r\n\t\t\t\t\t\t<Item Label=\"未分類甲\">5</Item>\r\n"
                                      "\t\t\t\t\t\t<Item Label=\"未分類乙\">6</Item>\r\n\t\t\t\t\t</" + group;
            EXPECT_NE(std::string::npos, written.text.find(block)) << group;
        }
        EXPECT_EQ(std::string::npos, written.text.find("未分類丙"));
    }
}

}  // namespace
