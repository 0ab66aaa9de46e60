// LgrBCore: account totals, saved statement texts and period arithmetic.
#pragma once

#include "LgrCmn.h"
#include "LgrRecords.h"

class ClRuleBase {
public:
    virtual ~ClRuleBase();
    long AttachSetMgr(ClSetMgr* setMgr);
    long SetCurDataID(const char* dataId);
    long AttachOptLink(ClOptLink* optLink);

protected:
    ClSetMgr* m_setMgr = nullptr;
    ClOptLink* m_optLink = nullptr;
    char m_curDataId[16] = {};
};

class ClRuleKamoku : public ClRuleBase {
public:
    ClRuleKamoku();
    ~ClRuleKamoku() override;

    long MoveReady(int base, int bmn, int dispType, StFINDINFO* find, StBUMONINFO* bumon, int past);
    long GetSumCount(unsigned int* count);
    long SetMovePos(long position);
    long MoveNext(StKAMOKUSUMINFO* info);   // 0 with a record, LGR_END_OF_RECORDS when none is left
    long MoveFinish();

private:
    long StartTotals(long position);

    struct Cursor;
    Cursor* m_cursor = nullptr;
};

class ClSaveBase {
public:
    virtual ~ClSaveBase();
    long AttachSetMgr(ClSetMgr* setMgr);
    long SetCurDataID(const char* dataId);
    long AttachOptLink(ClOptLink* optLink);

protected:
    ClSetMgr* m_setMgr = nullptr;
    ClOptLink* m_optLink = nullptr;
    char m_curDataId[16] = {};
};

class ClSaveKessansho : public ClSaveBase {
public:
    ClSaveKessansho();
    ~ClSaveKessansho() override;

    // On 0, *text is a NUL-terminated buffer from the COM task allocator, owned by the caller.
    long GetDataType02(long dataKind, unsigned char** text, long* size);
};

class ClLgrPeriod {
public:
    ClLgrPeriod();
    virtual ~ClLgrPeriod();

    long SetPeriod(long firstDate, long lastDate);                  // yyyymmdd
    long GetClosingDayByEndDate(long lastDate, int option, int* closingDay);
    long SetClosingDay(int closingDay);
    // Writes the month (1 to 12) to which `date` belongs under the closing day.
    long GetAMonthByDate(long date, short* month, int option);

private:
    long m_firstDate = 0;
    long m_lastDate = 0;
    int m_closingDay = 0;
};
