// LgrCmn: users, company data sets, consumption-tax settings and the link options.
#pragma once

#include "LgrRecords.h"

class ClSetMgr;
class ClOptLink;
class ClSysUser;

class ClSetBase {
public:
    virtual ~ClSetBase() = default;
    long AttachSetMgr(ClSetMgr* setMgr);
    long SetCurDataID(const char* dataId);

protected:
    ClSetMgr* m_setMgr = nullptr;
    char m_curDataId[16] = {};
};

// The company data sets (GetSetObject kind 5).
class ClSetData : public ClSetBase {
public:
    typedef void* DATCURSOR;

    long GetDatCursor(DATCURSOR* cursor);
    long ReadyDat(DATCURSOR cursor, int mode);
    long WalkDat(StDATAINFO* record, DATCURSOR cursor);   // 0 while a record is delivered
    long ReleaseDatCursor(DATCURSOR cursor);
    StDATAINFO* GetSelectedInfo();   // never null; zero-filled when no data set is selected

private:
    StDATAINFO m_selected = {};
};

// The consumption-tax settings (GetSetObject kind 4).
class ClSetShohizei : public ClSetBase {
public:
    long Get(StSHOHIZEIINFO* info);   // 0 when the settings of the current data set were delivered
};

class ClDataMgr {
public:
    static ClDataMgr* Inst();

    ClSetBase* GetSetObject(int kind, int mode);   // 5 ClSetData, 4 ClSetShohizei
    ClSetMgr* GetSetMgr();
    ClSysUser* GetSysUserObject();

private:
    ClDataMgr() = default;
};

class ClSysUser {
public:
    long GetCurUserID(char* userId);   // 65 bytes
    long GetSelectedNo(const char* userId, int& first, int& second);
};

class ClLinkMgr {
public:
    static ClLinkMgr* Inst();
    ClOptLink* GetOptLink();

private:
    ClLinkMgr() = default;
};
