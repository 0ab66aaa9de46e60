// The dialog's entry in the remembered-destinations file: months, equity kind and destination per user and data set.
#include <LgrFileMgr.h>
#include <windows.h>

#include <cstring>

#include "ConditionDialog.h"
#include "Edition.h"
#include "PathOps.h"
#include "RememberedDestinationsFile.h"

namespace {

const int pathCapacity = 261;

// Leading decimal digits; none read as 0.
short LeadingNumber(LPCSTR text)
{
    long value = 0;
    for (int i = 0; text[i] >= '0' && text[i] <= '9' && value < 100000; ++i)
        value = value * 10 + (text[i] - '0');
    return static_cast<short>(value);
}

}  // namespace

// "USER/1/2:"
CString ConditionDialog::RememberedKey() const
{
    CString key;
    key.Format("%s/%d/%d:", userId, selectedNo1, selectedNo2);
    return key;
}

BOOL ConditionDialog::ReadRememberedDestination(short* startMonth, short* endMonth, short* equityKindOut, char* path)
{
    CString folder = ClFileMgr::Inst()->GetAppFolderPath(1);
    RememberedDestinationsFile file(folder + theEdition.settingsFileName);
    CString value;
    if (!file.Load() || !file.FindValue(RememberedKey(), value))
        return FALSE;

    // "4/3/1/C:\out\a.xml": the destination follows the last slash and never holds one itself.
    int first = value.Find('/');
    int last = value.ReverseFind('/');
    int second = first < 0 ? -1 : value.Find('/', first + 1);
    if (first < 0 || second < 0 || last <= second)
        return FALSE;
    CString remembered = value.Mid(last + 1);
    if (remembered.GetLength() >= pathCapacity)
        return FALSE;

    *startMonth = LeadingNumber(value);
    *endMonth = LeadingNumber(static_cast<LPCSTR>(value) + first + 1);
    *equityKindOut = LeadingNumber(static_cast<LPCSTR>(value) + second + 1);
    memcpy(path, static_cast<LPCSTR>(remembered), static_cast<size_t>(remembered.GetLength()) + 1);
    return TRUE;
}

BOOL ConditionDialog::SaveRememberedDestination(short startMonth, short endMonth, short kind, const char* chosen)
{
    CString key = RememberedKey();
    CString folder = ClFileMgr::Inst()->GetAppFolderPath(1);
    if (folder.IsEmpty())
        return FALSE;
    if (!IsExistingFolder(folder) && !CreateFolderPath(folder))
        return FALSE;

    CString line;
    line.Format("%s%d/%d/%d/%s\n", static_cast<LPCSTR>(key), startMonth, endMonth, kind,
                chosen != nullptr ? chosen : rememberedDestination);
    RememberedDestinationsFile file(folder + theEdition.settingsFileName);
    if (file.Exists() && !file.Load())
        return FALSE;
    file.PutLast(key, line);
    return file.Store();
}
