// Users, company data sets and consumption-tax settings as the system reads them.
#include <LgrCmn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EngineFixture.h"

using testbooks::SqlBlob;
using testbooks::Utf8;

namespace {

ClSetData& DataSets() { return *static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1)); }
ClSetShohizei& TaxSettings() { return *static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(4, 1)); }

std::vector<StDATAINFO> WalkAll() {
    std::vector<StDATAINFO> records;
    ClSetData::DATCURSOR cursor = nullptr;
    EXPECT_EQ(DataSets().GetDatCursor(&cursor), 0);
    EXPECT_EQ(DataSets().ReadyDat(cursor, 0), 0);
    StDATAINFO record;
    while (DataSets().WalkDat(&record, cursor) == 0) records.push_back(record);
    DataSets().ReleaseDatCursor(cursor);
    return records;
}

const char* kThreeDataSets =
    "INSERT INTO users VALUES('other', 0, 7, 0);"
    "INSERT INTO users VALUES('me', 3, 7, 1);"
    "INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date, cost_schedule,"
    " interim_closing, intro_month, companies_act) VALUES"
    " (9, 'NINE', 'Nine', 20240101, 20241231, 0, 0, 0, 1),"
    " (7, 'SEVEN-A', 'Seven first', 20250401, 20260331, 1, 1, 5, 0),"
    " (2, 'TWO', 'Two', 20250401, 20260331, 0, 0, 0, 1),"
    " (7, 'SEVEN-B', 'Seven second', 20250401, 20260331, 0, 0, 0, 1);";

TEST(DataSets, WalkInRowidOrderAndSelectTheFirstOfTheCurrentUsersNumber) {
    lgrtest::Connected connected(kThreeDataSets);
    ASSERT_EQ(connected.initiateStatus, 0);
    const std::vector<StDATAINFO> records = WalkAll();
    ASSERT_EQ(records.size(), 4u);
    const char* expectedIds[] = {"NINE", "SEVEN-A", "TWO", "SEVEN-B"};
    for (size_t i = 0; i < records.size(); ++i) EXPECT_STREQ(records[i].dataId, expectedIds[i]);

    const StDATAINFO* selected = DataSets().GetSelectedInfo();
    ASSERT_NE(selected, nullptr);
    EXPECT_STREQ(selected->dataId, "SEVEN-A");
    EXPECT_EQ(selected->dataNo, 7);
    EXPECT_STREQ(selected->companyName, "Seven first");
    EXPECT_EQ(selected->startDate, 20250401);
    EXPECT_EQ(selected->endDate, 20260331);
    EXPECT_EQ(selected->costScheduleFlag, 1);
    EXPECT_EQ(selected->interimClosing, 1);
    EXPECT_EQ(selected->introMonth, 5);
    EXPECT_EQ(selected->companiesActFlag, 0);
}

TEST(DataSets, TheCurrentUserAndTheSelection) {
    lgrtest::Connected connected(kThreeDataSets);
    ClSysUser& user = *ClDataMgr::Inst()->GetSysUserObject();
    char userId[65];
    ASSERT_EQ(user.GetCurUserID(userId), 0);
    EXPECT_STREQ(userId, "me");
    int first = -1, second = -1;
    ASSERT_EQ(user.GetSelectedNo(userId, first, second), 0);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 7);
    EXPECT_NE(user.GetSelectedNo("nobody", first, second), 0);
}

TEST(DataSets, NoSelectionGivesAZeroRecord) {
    struct Case {
        const char* name;
        std::string sql;
    } cases[] = {
        {"nobody signed in", "INSERT INTO users VALUES('u', 0, 1, 0);"
                             "INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date)"
                             " VALUES(1, 'D1', 'x', 20250101, 20251231);"},
        {"number not present", "INSERT INTO users VALUES('u', 0, 5, 1);"
                               "INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date)"
                               " VALUES(1, 'D1', 'x', 20250101, 20251231);"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lgrtest::Connected connected(c.sql);
        const StDATAINFO* selected = DataSets().GetSelectedInfo();
        ASSERT_NE(selected, nullptr);
        const StDATAINFO zero = {};
        EXPECT_EQ(std::memcmp(selected, &zero, sizeof zero), 0);
    }
}

TEST(DataSets, TextsBecomeCp932AndBlobsArriveByteForByte) {
    // "\x81\x7F" is no CP932 character at all: only a BLOB can carry it.
    const std::string rawName = "\x82\xA0\x81\x7F\x5C";
    const std::string longId(40, 'L');
    lgrtest::Connected connected(std::string(Utf8(u8"INSERT INTO users VALUES('u', 0, 1, 1);"
                                                  u8"INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date)"
                                                  u8" VALUES(1, '")) +
                                 longId + Utf8(u8"', '株式会社　表計算', 20250101, 20251231),") +
                                 "(2, 'B', " + SqlBlob(rawName) + ", 20250101, 20251231);");
    const std::vector<StDATAINFO> records = WalkAll();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_STREQ(records[0].companyName, "株式会社　表計算");
    EXPECT_EQ(std::string(records[0].dataId), std::string(15, 'L'));
    EXPECT_EQ(std::string(records[1].companyName), rawName);
}

TEST(DataSets, AValueThatDoesNotFitEndsTheWalkWithAFailure) {
    lgrtest::Connected connected("INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date)"
                                 " VALUES(1, 'A', 'a', 20250101, 20251231), (5000000000, 'B', 'b', 20250101, 20251231);");
    ClSetData::DATCURSOR cursor = nullptr;
    ASSERT_EQ(DataSets().GetDatCursor(&cursor), 0);
    ASSERT_EQ(DataSets().ReadyDat(cursor, 0), 0);
    StDATAINFO record;
    EXPECT_EQ(DataSets().WalkDat(&record, cursor), 0);
    const long status = DataSets().WalkDat(&record, cursor);
    EXPECT_NE(status, 0);
    EXPECT_NE(status, LGR_END_OF_RECORDS);
    DataSets().ReleaseDatCursor(cursor);
}

TEST(DataSets, ConsumptionTaxRecordIsCopiedOrRefused) {
    const std::string record("\x01\x02\x03\x04\x05\x01\x07\x08\x09\x0A\x0B\x0C", 12);
    lgrtest::Connected connected(
        "INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date, tax_record) VALUES"
        " (1, 'FULL', 'a', 20250101, 20251231, " + SqlBlob(record) + "),"
        " (2, 'NONE', 'b', 20250101, 20251231, NULL),"
        " (3, 'SHORT', 'c', 20250101, 20251231, X'0102');");
    struct Case {
        const char* dataId;
        bool delivered;
    } cases[] = {{"FULL", true}, {"NONE", false}, {"SHORT", false}, {"ABSENT", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataId);
        ClSetShohizei& tax = TaxSettings();
        tax.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
        tax.SetCurDataID(c.dataId);
        StSHOHIZEIINFO info;
        std::memset(&info, 0xEE, sizeof info);
        const long status = tax.Get(&info);
        EXPECT_EQ(status == 0, c.delivered);
        if (c.delivered) {
            EXPECT_EQ(std::memcmp(&info, record.data(), sizeof info), 0);
            EXPECT_EQ(info.keiriHoushiki, 1);
        }
    }
}

TEST(DataSets, ConsumptionTaxFaultFiresOnceAfterItsCount) {
    lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) +
                                 "INSERT INTO faults VALUES('ShohizeiGet', 42, 1);");
    ClSetShohizei& tax = TaxSettings();
    tax.SetCurDataID("D1");
    StSHOHIZEIINFO info;
    EXPECT_EQ(tax.Get(&info), 0);
    EXPECT_EQ(tax.Get(&info), 42);
    EXPECT_EQ(tax.Get(&info), 0);
}

TEST(DataSets, NothingIsDeliveredWithoutBooks) {
    ClLgrConnect::Inst()->Terminate();
    StSHOHIZEIINFO info;
    EXPECT_NE(TaxSettings().Get(&info), 0);
    ClSetData::DATCURSOR cursor = nullptr;
    ASSERT_EQ(DataSets().GetDatCursor(&cursor), 0);
    EXPECT_NE(DataSets().ReadyDat(cursor, 0), 0);
    StDATAINFO record;
    EXPECT_NE(DataSets().WalkDat(&record, cursor), 0);
    DataSets().ReleaseDatCursor(cursor);
    EXPECT_EQ(DataSets().GetSelectedInfo()->dataId[0], '\0');
}

}  // namespace
