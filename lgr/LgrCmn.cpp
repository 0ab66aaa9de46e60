// LgrCmn: the data manager with its set objects, and the link manager.
#include <LgrCmn.h>

#include "TextFields.h"
#include "LgrObjects.h"
#include "LgrStatus.h"

long ClSetBase::AttachSetMgr(ClSetMgr* setMgr) {
    m_setMgr = setMgr;
    return 0;
}

long ClSetBase::SetCurDataID(const char* dataId) {
    if (dataId == nullptr) return lgr::kBadArgument;
    lgr::CopyField(m_curDataId, sizeof m_curDataId, dataId);
    return 0;
}

ClDataMgr* ClDataMgr::Inst() {
    static ClDataMgr manager;
    return &manager;
}

ClSetBase* ClDataMgr::GetSetObject(int kind, int) {
    static ClSetData dataSets;
    static ClSetShohizei taxSettings;
    switch (kind) {
    case 5: return &dataSets;
    case 4: return &taxSettings;
    default: return nullptr;
    }
}

ClSetMgr* ClDataMgr::GetSetMgr() {
    static ClSetMgr setMgr;
    return &setMgr;
}

ClSysUser* ClDataMgr::GetSysUserObject() {
    static ClSysUser user;
    return &user;
}

ClLinkMgr* ClLinkMgr::Inst() {
    static ClLinkMgr manager;
    return &manager;
}

ClOptLink* ClLinkMgr::GetOptLink() {
    static ClOptLink optLink;
    return &optLink;
}
