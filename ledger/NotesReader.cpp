// The notes settings and texts kept with the company's saved statement data.
#include "LedgerTotals.h"

#include <climits>
#include <new>

#include <objbase.h>

#include "EngineAttach.h"

namespace {

constexpr short KIND_OUTPUT_SETTINGS = 0;
constexpr short KIND_INPUT_SETTINGS = 100;
constexpr short KIND_OTHER_NOTES = 1000;
// "[Note_", a two-character number and "]".
constexpr int NOTE_HEADER_BYTES = 9;

// A signed decimal as a settings value is read: blanks first, an optional sign, digits up to the
// first other byte; no digits read 0. Values beyond 32 bits saturate instead of overflowing.
int ReadInteger(const CString& text, int position)
{
    const int length = text.GetLength();
    while (position < length && (text[position] == ' ' || text[position] == '\t'))
        ++position;
    bool negative = false;
    if (position < length && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    long long value = 0;
    for (; position < length && text[position] >= '0' && text[position] <= '9'; ++position) {
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (text[position] - '0');
    }
    value = negative ? -value : value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

}

int LedgerTotals::ReadStatementData(short kind, unsigned char*& text, long& size)
{
    text = nullptr;
    size = 0;
    delete statementData;
    statementData = new (std::nothrow) ClSaveKessansho;
    if (statementData == nullptr || !AttachToSelectedData(*statementData))
        return 0;
    if (statementData->GetDataType02(kind, &text, &size) == 0 && text != nullptr)
        return 1;
    if (text != nullptr) {
        CoTaskMemFree(text);
        text = nullptr;
    }
    return 0;
}

bool LedgerTotals::ReadStatementText(short kind, CString& text)
{
    unsigned char* buffer = nullptr;
    long size = 0;
    if (ReadStatementData(kind, buffer, size) == 0)
        return false;
    text = reinterpret_cast<const char*>(buffer);
    CoTaskMemFree(buffer);
    return true;
}

bool LedgerTotals::IsNotesInputEnabled()
{
    CString text;
    if (!ReadStatementText(KIND_INPUT_SETTINGS, text))
        return false;
    const int key = text.Find("InputMode");
    if (key < 0)
        return false;
    // The first "=" after the key's first letter, even on a later line.
    const int equals = text.Find('=', key + 1);
    if (equals < 0)
        return false;
    return ReadInteger(text, equals + 1) > 0;
}

bool LedgerTotals::IsNotesOutputEnabled()
{
    CString text;
    if (!ReadStatementText(KIND_OUTPUT_SETTINGS, text))
        return false;
    static const char key[] = "Note=";
    const int found = text.Find(key);
    if (found < 0)
        return false;
    return ReadInteger(text, found + static_cast<int>(sizeof key) - 1) > 0;
}

void LedgerTotals::ReadNoteDisplayFlags(NoteDisplayFlags flags)
{
    CString text;
    if (!ReadStatementText(KIND_INPUT_SETTINGS, text) || text.IsEmpty())
        return;
    static const char dispKey[] = "Disp=";
    const int dispKeyBytes = static_cast<int>(sizeof dispKey) - 1;
    int cursor = 0;
    // A section without its own "Disp=" takes the next one's: the count is of values, not headers.
    for (int index = 0; index < NOTE_DISPLAY_FLAG_COUNT; ++index) {
        const int section = text.Find("[Note_", cursor);
        if (section < 0 || text.GetLength() - section <= NOTE_HEADER_BYTES)
            return;
        const int disp = text.Find(dispKey, section + NOTE_HEADER_BYTES);
        if (disp < 0)
            return;
        const int value = disp + dispKeyBytes;
        flags[index] = static_cast<signed char>(ReadInteger(text, value));
        if (value >= text.GetLength())
            return;
        cursor = value;
    }
}

int LedgerTotals::ReadOtherNotesText(CString& out)
{
    if (!ReadStatementText(KIND_OTHER_NOTES, out))
        out.Empty();
    return 1;
}
