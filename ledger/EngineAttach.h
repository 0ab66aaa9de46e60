// Points a fresh engine handle at the company data set selected in the books.
#pragma once

#include <cstring>

#include <LgrCmn.h>

// Both handle families take the same three calls in this order. False when no data set is
// selected, so the caller refuses instead of reading some other data.
template <class Handle>
bool AttachToSelectedData(Handle& handle)
{
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    auto* dataSets = static_cast<ClSetData*>(dataMgr->GetSetObject(5, 1));
    const StDATAINFO* selected = dataSets != nullptr ? dataSets->GetSelectedInfo() : nullptr;
    if (selected == nullptr)
        return false;
    // The ID fills its 16 bytes when it is that long: give the engine a terminated copy.
    char dataId[sizeof selected->dataId + 1] = {};
    std::memcpy(dataId, selected->dataId, sizeof selected->dataId);
    handle.AttachSetMgr(dataMgr->GetSetMgr());
    handle.SetCurDataID(dataId);
    handle.AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
    return true;
}
