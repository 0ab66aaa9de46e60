// The account-totals rule: walk order, slots, record fields, faults, announced counts and large charts.
#include <LgrBCore.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EngineFixture.h"

using lgrtest::Attach;
using lgrtest::Conditions;
using testbooks::SqlBlob;
using testbooks::Utf8;

namespace {

// Reads every record the rule delivers; the status that ended the walk goes to `end`.
std::vector<StKAMOKUSUMINFO> ReadAll(ClRuleKamoku& rule, long& end) {
    std::vector<StKAMOKUSUMINFO> records;
    StKAMOKUSUMINFO info;
    while ((end = rule.MoveNext(&info)) == 0) records.push_back(info);
    return records;
}

std::vector<StKAMOKUSUMINFO> Walk(std::vector<StFINDINFO> conditions, const char* dataId = "D1") {
    ClRuleKamoku rule;
    Attach(rule, dataId);
    rule.MoveReady(1, 0, 0, conditions.data(), nullptr, 0);
    EXPECT_EQ(rule.SetMovePos(0), 0);
    long end = 0;
    std::vector<StKAMOKUSUMINFO> records = ReadAll(rule, end);
    EXPECT_EQ(end, LGR_END_OF_RECORDS);
    rule.MoveFinish();
    return records;
}

// Three accounts out of seq order in the table, one without postings, one in another data set.
const std::string kChart = std::string(testbooks::kStandardDataSet) + Utf8(
    u8"INSERT INTO accounts(data_id, seq, account_key, formal_name, alt_name, kind, debit_normal, class_code) VALUES"
    u8" ('D1', 30, 300000, '売上高', '売上', 2, 0, 1082687488),"
    u8" ('D1', 10, 100000, '現金', '現金', 0, 1, 2156396544),"
    u8" ('D1', 20, 200000, '諸口', '', 1, 1, -2139619328),"
    u8" ('D2', 5, 100000, 'other', '', 0, 1, 0);");

TEST(Totals, AccountsComeInSeqOrderWithTheirFields) {
    lgrtest::Connected connected(kChart);
    const std::vector<StKAMOKUSUMINFO> records = Walk(Conditions(1, 12, false, false));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].accountKey, 100000);
    EXPECT_STREQ(records[0].formalName, "現金");
    EXPECT_EQ(records[0].kind, 0);
    EXPECT_EQ(records[0].debitNormal, 1);
    EXPECT_EQ(records[0].classCode, 0x80880000u);
    EXPECT_EQ(records[1].accountKey, 200000);
    EXPECT_EQ(records[1].kind, 1);
    EXPECT_STREQ(records[1].altName, "");
    EXPECT_EQ(records[1].classCode, 0x80780000u);   // a negative INTEGER reads as its 32 bits
    EXPECT_EQ(records[2].accountKey, 300000);
    EXPECT_STREQ(records[2].altName, "売上");
    EXPECT_EQ(records[2].debitNormal, 0);
    EXPECT_EQ(records[2].classCode, 0x40888000u);
    for (const StKAMOKUSUMINFO& record : records) {
        for (int slot = 0; slot < 15; ++slot) EXPECT_EQ(record.debit1[slot] | record.credit2[slot], 0);
    }
}

TEST(Totals, PostingsAreSummedPerSlotAndClosingPeriodsOnlyWhenSelected) {
    lgrtest::Connected connected(kChart +
        "INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2) VALUES"
        " ('D1', 100000, 0, 1000, 1, 2000, 2), ('D1', 100000, 0, 500, 0, 0, 0),"
        " ('D1', 100000, 1, 10, 20, 30, 40), ('D1', 100000, 12, 7, 0, 0, 0),"
        " ('D1', 100000, 15, 150, 151, 152, 153), ('D1', 100000, 18, 180, 181, 182, 183),"
        " ('D1', 100000, 13, 99, 99, 99, 99), ('D1', 100000, -1, 99, 99, 99, 99),"
        " ('D2', 100000, 1, 5555, 0, 0, 0);");
    struct Case {
        const char* name;
        std::vector<StFINDINFO> conditions;
        bool interim;
        bool yearEnd;
    } cases[] = {
        {"months only", Conditions(1, 12, false, false), false, false},
        {"year-end", Conditions(1, 12, false, true), false, true},
        {"interim", Conditions(1, 6, true, false), true, false},
        {"both", Conditions(1, 6, true, true), true, true},
        {"no conditions", std::vector<StFINDINFO>(4), false, false},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<StKAMOKUSUMINFO> records = Walk(c.conditions);
        ASSERT_EQ(records.size(), 3u);
        const StKAMOKUSUMINFO& cash = records[0];
        EXPECT_EQ(cash.debit1[0], 1500);
        EXPECT_EQ(cash.credit1[0], 1);
        EXPECT_EQ(cash.debit2[0], 2000);
        EXPECT_EQ(cash.credit2[0], 2);
        EXPECT_EQ(cash.debit1[1], 10);
        EXPECT_EQ(cash.credit1[1], 20);
        EXPECT_EQ(cash.debit2[1], 30);
        EXPECT_EQ(cash.credit2[1], 40);
        EXPECT_EQ(cash.debit1[12], 7);
        for (int slot = 2; slot < 12; ++slot) EXPECT_EQ(cash.debit1[slot], 0) << slot;
        EXPECT_EQ(cash.debit1[13], c.yearEnd ? 180 : 0);
        EXPECT_EQ(cash.credit2[13], c.yearEnd ? 183 : 0);
        EXPECT_EQ(cash.debit1[14], c.interim ? 150 : 0);
        EXPECT_EQ(cash.credit2[14], c.interim ? 153 : 0);
    }
}

TEST(Totals, NamesAreCopiedBoundedAndBlobsByteForByte) {
    const std::string rawFormal = "\x82\xA0\x81\x7F\xFF" + std::string(70, 'F');   // longer than the field
    const std::string rawAlt = "\x95\x5C" + std::string(40, 'A');
    lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) +
        "INSERT INTO accounts(data_id, seq, account_key, formal_name, alt_name, class_code) VALUES"
        " ('D1', 1, 10000, " + SqlBlob(rawFormal) + ", " + SqlBlob(rawAlt) + ", 0);");
    const std::vector<StKAMOKUSUMINFO> records = Walk(Conditions(1, 12, false, false));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(std::string(records[0].formalName), rawFormal.substr(0, 56));
    EXPECT_EQ(std::string(records[0].altName), rawAlt.substr(0, 32));
}

TEST(Totals, SumCountIsTheDataSetsAccountsOrTheAnnouncedSetting) {
    struct Case {
        const char* name;
        std::string setting;
        long status;
        unsigned count;
    } cases[] = {
        {"real count", "", 0, 3},
        {"integer setting", "INSERT INTO settings VALUES('sum_count', 40000);", 0, 40000},
        {"text setting", "INSERT INTO settings VALUES('sum_count', '2');", 0, 2},
        {"largest", "INSERT INTO settings VALUES('sum_count', 4294967295);", 0, 4294967295u},
        {"negative", "INSERT INTO settings VALUES('sum_count', -1);", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lgrtest::Connected connected(kChart + c.setting);
        ClRuleKamoku rule;
        Attach(rule);
        rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
        unsigned count = 12345;
        const long status = rule.GetSumCount(&count);
        EXPECT_EQ(status != 0, c.status != 0);
        if (status == 0) {
            EXPECT_EQ(count, c.count);
        }
    }
}

TEST(Totals, FaultsFireOnceWhenTheCallSucceededAfterTimes) {
    struct Case {
        const char* call;
        long status;
        int after;
    } cases[] = {{"GetSumCount", 11, 0}, {"SetMovePos", 12, 0}, {"MoveNext", 13, 2}, {"MoveNext", 5000, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.call) + " after " + std::to_string(c.after));
        lgrtest::Connected connected(kChart + "INSERT INTO faults VALUES('" + c.call + "', " +
                                     std::to_string(c.status) + ", " + std::to_string(c.after) + ");");
        ClRuleKamoku rule;
        Attach(rule);
        rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
        unsigned count = 0;
        const long sumStatus = rule.GetSumCount(&count);
        EXPECT_EQ(sumStatus, std::string(c.call) == "GetSumCount" ? c.status : 0);
        EXPECT_EQ(rule.GetSumCount(&count), 0);   // the fault has fired
        const long posStatus = rule.SetMovePos(0);
        EXPECT_EQ(posStatus, std::string(c.call) == "SetMovePos" ? c.status : 0);
        if (posStatus != 0) {
            EXPECT_EQ(rule.SetMovePos(0), 0);
        }
        if (std::string(c.call) != "MoveNext") continue;
        StKAMOKUSUMINFO info;
        for (int i = 0; i < c.after; ++i) EXPECT_EQ(rule.MoveNext(&info), 0);
        EXPECT_EQ(rule.MoveNext(&info), c.status);
        EXPECT_EQ(rule.MoveNext(&info), 0);   // the next account; a failed call consumed nothing
        EXPECT_EQ(info.accountKey, c.after == 2 ? 300000 : 200000);
    }
}

TEST(Totals, SetMovePosSkipsAccounts) {
    lgrtest::Connected connected(kChart);
    ClRuleKamoku rule;
    Attach(rule);
    rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
    ASSERT_EQ(rule.SetMovePos(2), 0);
    long end = 0;
    const std::vector<StKAMOKUSUMINFO> records = ReadAll(rule, end);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].accountKey, 300000);
    EXPECT_EQ(end, LGR_END_OF_RECORDS);
}

TEST(Totals, StoredValuesThatDoNotFitAreRefused) {
    struct Case {
        const char* name;
        std::string rows;
    } cases[] = {
        {"overflowing sum", "INSERT INTO postings(data_id, account_key, period, debit1) VALUES"
                            " ('D1', 10000, 1, 9223372036854775807), ('D1', 10000, 1, 1);"},
        {"fractional amount", "INSERT INTO postings(data_id, account_key, period, debit1) VALUES ('D1', 10000, 1, 1.5);"},
        {"class code above 32 bits", "UPDATE accounts SET class_code = 4294967296;"},
        {"key above 32 bits", "UPDATE accounts SET account_key = 4294967296;"},
        {"kind above a byte", "UPDATE accounts SET kind = 256;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) +
            "INSERT INTO accounts(data_id, seq, account_key, class_code) VALUES ('D1', 1, 10000, 0);" + c.rows);
        ClRuleKamoku rule;
        Attach(rule);
        rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
        StKAMOKUSUMINFO info;
        const long status = rule.SetMovePos(0) == 0 ? rule.MoveNext(&info) : -1;
        EXPECT_NE(status, 0);
        EXPECT_NE(status, LGR_END_OF_RECORDS);
    }
}

TEST(Totals, AClosedConnectionEndsTheWalkWithAFailure) {
    lgrtest::Connected connected(kChart);
    ClRuleKamoku rule;
    Attach(rule);
    rule.MoveReady(1, 0, 0, nullptr, nullptr, 0);
    ASSERT_EQ(rule.SetMovePos(0), 0);
    StKAMOKUSUMINFO info;
    ASSERT_EQ(rule.MoveNext(&info), 0);
    ClLgrConnect::Inst()->Terminate();
    const long status = rule.MoveNext(&info);
    EXPECT_NE(status, 0);
    EXPECT_NE(status, LGR_END_OF_RECORDS);
}

// The 32,768-record limit of the system, as benchmarks use it; ctest's timeout bounds the time.
TEST(Totals, ALargeChartIsGeneratedAndWalked) {
    constexpr int kAccounts = 32768;
    testbooks::TestBooks books(testbooks::kStandardDataSet);
    books.AddAccounts({.count = kAccounts, .debit = 30000, .credit = 10000});
    books.Activate();
    ASSERT_EQ(ClLgrConnect::Inst()->Initiate(), 0);
    ClRuleKamoku rule;
    Attach(rule);
    const std::vector<StFINDINFO> conditions = Conditions(1, 12, false, true);
    rule.MoveReady(1, 0, 0, const_cast<StFINDINFO*>(conditions.data()), nullptr, 0);
    unsigned count = 0;
    ASSERT_EQ(rule.GetSumCount(&count), 0);
    EXPECT_EQ(count, static_cast<unsigned>(kAccounts));
    ASSERT_EQ(rule.SetMovePos(0), 0);
    StKAMOKUSUMINFO info;
    int read = 0;
    long status;
    while ((status = rule.MoveNext(&info)) == 0) {
        ASSERT_EQ(info.accountKey, (1000 + read) * 10000);
        ASSERT_EQ(info.debit2[13], 30000);
        ASSERT_EQ(info.credit1[14], 0);   // interim not selected
        ++read;
    }
    EXPECT_EQ(status, LGR_END_OF_RECORDS);
    EXPECT_EQ(read, kAccounts);
    ClLgrConnect::Inst()->Terminate();
    unsetenv("LGR_BOOKS");
}

}  // namespace
