// Records that cross between the bookkeeping engine and the system, with the engine's byte layouts.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One company data set.
struct StDATAINFO {
    char dataId[16];              // 0: data set ID for SetCurDataID
    int32_t dataNo;               // 16
    char reserved20[4];
    char companyName[260];        // 24
    int32_t startDate;            // 284: fiscal year start, yyyymmdd
    int32_t endDate;              // 288: fiscal year end, yyyymmdd
    char reserved292[8];
    int32_t costScheduleFlag;     // 300: nonzero when a cost schedule is kept
    int32_t interimClosing;       // 304: 1 when an interim period is closed
    char reserved308[18];
    int16_t introMonth;           // 326: fiscal position of the first month kept; 99 past-results data
    char reserved328[548];
    uint8_t companiesActFlag;     // 876: 1 when the data follow the Companies Act
    char reserved877[629];
};
static_assert(sizeof(StDATAINFO) == 1506);
static_assert(offsetof(StDATAINFO, dataNo) == 16);
static_assert(offsetof(StDATAINFO, companyName) == 24);
static_assert(offsetof(StDATAINFO, startDate) == 284);
static_assert(offsetof(StDATAINFO, endDate) == 288);
static_assert(offsetof(StDATAINFO, costScheduleFlag) == 300);
static_assert(offsetof(StDATAINFO, interimClosing) == 304);
static_assert(offsetof(StDATAINFO, introMonth) == 326);
static_assert(offsetof(StDATAINFO, companiesActFlag) == 876);

// One aggregation condition; the engine takes an array of four.
struct StFINDINFO {
    int32_t fieldCode;            // 0: 17, the posting month
    char reserved4[2];
    int16_t compare;              // 6: 1 equal, 4 not before, 6 not after
    char reserved8[2];
    int16_t valueKind;            // 10: 2
    char reserved12[6];
    int16_t value;                // 18: month position, or period 15 (interim) / 18 (year-end)
    char reserved20[10];
    int16_t link;                 // 30: 0 last, 1 and with the next, 2 or with the next
    char reserved32[2];
};
static_assert(sizeof(StFINDINFO) == 34);
static_assert(offsetof(StFINDINFO, compare) == 6);
static_assert(offsetof(StFINDINFO, valueKind) == 10);
static_assert(offsetof(StFINDINFO, value) == 18);
static_assert(offsetof(StFINDINFO, link) == 30);

// Totals of one account per slot: 0 opening, 1..12 month positions, 13 year-end, 14 interim.
struct StKAMOKUSUMINFO {
    char reserved0[32];
    int32_t accountKey;           // 32
    char reserved36[2];
    char formalName[57];          // 38
    char altName[33];             // 95
    uint8_t kind;                 // 128: 1 is never collected
    char reserved129;
    uint8_t debitNormal;          // 130: 1 debit minus credit, else credit minus debit
    char reserved131[5];
    uint32_t classCode;           // 136
    char reserved140[12];
    int64_t debit1[15];           // 152
    int64_t debit2[15];           // 272
    int64_t credit1[15];          // 392
    int64_t credit2[15];          // 512
    char reserved632[4];
};
static_assert(sizeof(StKAMOKUSUMINFO) == 636);
static_assert(offsetof(StKAMOKUSUMINFO, accountKey) == 32);
static_assert(offsetof(StKAMOKUSUMINFO, formalName) == 38);
static_assert(offsetof(StKAMOKUSUMINFO, altName) == 95);
static_assert(offsetof(StKAMOKUSUMINFO, kind) == 128);
static_assert(offsetof(StKAMOKUSUMINFO, debitNormal) == 130);
static_assert(offsetof(StKAMOKUSUMINFO, classCode) == 136);
static_assert(offsetof(StKAMOKUSUMINFO, debit1) == 152);
static_assert(offsetof(StKAMOKUSUMINFO, debit2) == 272);
static_assert(offsetof(StKAMOKUSUMINFO, credit1) == 392);
static_assert(offsetof(StKAMOKUSUMINFO, credit2) == 512);

// Consumption-tax settings of a data set.
struct StSHOHIZEIINFO {
    char reserved0[5];
    uint8_t keiriHoushiki;        // 5: nonzero selects the second amount set
    char reserved6[6];
};
static_assert(sizeof(StSHOHIZEIINFO) == 12);
static_assert(offsetof(StSHOHIZEIINFO, keiriHoushiki) == 5);

// Department conditions; the system always passes null.
struct StBUMONINFO;

#pragma pack(pop)

// ClRuleKamoku::MoveNext: no record left.
constexpr long LGR_END_OF_RECORDS = 5000;
