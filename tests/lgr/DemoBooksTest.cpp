// The demo books read through the engine: the selected company, a chart covering every statement code, notes.
#include <LgrBCore.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <string>

#include "EngineFixture.h"

using lgrtest::Attach;

namespace {

class DemoBooks : public testing::Test {
protected:
    void SetUp() override {
        setenv("LGR_BOOKS", STMTPORT_BUILD_DIR "/books.db", 1);
        ASSERT_EQ(ClLgrConnect::Inst()->Initiate(), 0);
        selected = *static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1))->GetSelectedInfo();
    }
    void TearDown() override {
        ClLgrConnect::Inst()->Terminate();
        unsetenv("LGR_BOOKS");
    }

    // Closing balance of every record over the whole year, second amount set, by classification code.
    std::multimap<uint32_t, StKAMOKUSUMINFO> Chart() {
        ClRuleKamoku rule;
        Attach(rule, selected.dataId);
        std::vector<StFINDINFO> conditions = lgrtest::Conditions(1, 12, true, true);
        rule.MoveReady(1, 0, 0, conditions.data(), nullptr, 0);
        unsigned count = 0;
        EXPECT_EQ(rule.GetSumCount(&count), 0);
        EXPECT_EQ(rule.SetMovePos(0), 0);
        std::multimap<uint32_t, StKAMOKUSUMINFO> chart;
        StKAMOKUSUMINFO info;
        while (rule.MoveNext(&info) == 0) chart.emplace(info.classCode, info);
        EXPECT_EQ(chart.size(), count);
        return chart;
    }

    static int64_t Closing(const StKAMOKUSUMINFO& info) {
        int64_t net = 0;
        for (int slot = 0; slot < 15; ++slot) net += info.debit2[slot] - info.credit2[slot];
        return info.debitNormal == 1 ? net : -net;
    }

    std::string Text(long kind) {
        ClSaveKessansho save;
        Attach(save, selected.dataId);
        unsigned char* text = nullptr;
        long size = 0;
        if (save.GetDataType02(kind, &text, &size) != 0) return std::string();
        std::string copy(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
        CoTaskMemFree(text);
        return copy;
    }

    StDATAINFO selected = {};
};

TEST_F(DemoBooks, TheSelectedCompanyIsAManufacturerWithAFiscalYearFromApril) {
    EXPECT_STREQ(selected.companyName, "株式会社 青葉精機製作所");
    EXPECT_EQ(selected.startDate, 20250401);
    EXPECT_EQ(selected.endDate, 20260331);
    EXPECT_EQ(selected.costScheduleFlag, 1);
    EXPECT_EQ(selected.companiesActFlag, 1);
    EXPECT_EQ(selected.introMonth, 0);
    ClSetShohizei& tax = *static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(4, 1));
    tax.SetCurDataID(selected.dataId);
    StSHOHIZEIINFO info;
    ASSERT_EQ(tax.Get(&info), 0);
    EXPECT_NE(info.keiriHoushiki, 0);
}

TEST_F(DemoBooks, TheChartCoversEveryStatementCodeAndBalances) {
    const std::multimap<uint32_t, StKAMOKUSUMINFO> chart = Chart();
    const uint32_t codes[] = {
        0x80800000, 0x80880000, 0x80840000, 0x80848000, 0x80844000, 0x80842000, 0x80820000, 0x80400000,
        0x80480000, 0x80440000, 0x80200000, 0x80288000, 0x80282080, 0x80282040, 0x80281080, 0x80281040,
        0x80281048, 0x80280800, 0x80248000, 0x80220000, 0x40888000, 0x40884000, 0x40880008, 0x40882000,
        0x40880000, 0x40848000, 0x40844000, 0x40800000, 0x40480000, 0x40440000, 0x40200080, 0x40200040,
        0x20800000, 0x20400000, 0x20040000, 0x20200000, 0x20080000, 0x20108000, 0x20100008, 0x20102000,
        0x40884200};
    for (uint32_t code : codes) EXPECT_GT(chart.count(code), 0u) << std::hex << code;
    EXPECT_EQ(chart.count(0x80281040), 2u);   // 別途積立金 and another reserve

    int kindOne = 0;
    for (const auto& [code, info] : chart) kindOne += info.kind == 1;
    EXPECT_EQ(kindOne, 1);

    const int64_t assets = Closing(chart.find(0x80800000)->second);
    const int64_t liabilities = Closing(chart.find(0x80400000)->second);
    const int64_t netAssets = Closing(chart.find(0x80200000)->second);
    EXPECT_GT(assets, 0);
    EXPECT_EQ(assets, liabilities + netAssets);
    EXPECT_GT(Closing(chart.find(0x40200040)->second), 0);   // a profitable year
}

TEST_F(DemoBooks, NotesAreSwitchedOnWithTheirTexts) {
    EXPECT_NE(Text(0).find("Note=1"), std::string::npos);
    const std::string settings = Text(100);
    EXPECT_NE(settings.find("InputMode=1"), std::string::npos);
    EXPECT_NE(settings.find("[Note_33]"), std::string::npos);
    EXPECT_NE(settings.find("[Note_10]\r\nDisp=1"), std::string::npos);
    const std::string notes = Text(1000);
    for (const char* id : {"<ID>1010010</ID>", "<ID>1060010</ID>", "<ID>1060020</ID>", "<ID>1170010</ID>",
                           "<ID>1170020</ID>", "<ID>1170030</ID>"}) {
        EXPECT_NE(notes.find(id), std::string::npos) << id;
    }
    EXPECT_NE(notes.find("&amp;"), std::string::npos);
}

}  // namespace
