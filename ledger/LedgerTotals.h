// Collects one AccountTotal per account for the chosen months, and reads the notes settings.
#pragma once

#include <afxstr.h>

#include "AccountTotal.h"
#include "NoteDisplayFlags.h"

#include <LgrBCore.h>

class ProgressDialog;

class LedgerTotals {
public:
    LedgerTotals() = default;
    virtual ~LedgerTotals();
    LedgerTotals(const LedgerTotals&) = delete;
    LedgerTotals& operator=(const LedgerTotals&) = delete;

    // 1 when every announced record was read; 0 on an engine status, an allocation failure
    // or an amount beyond the bounded range.
    int CollectAccountTotals(bool useSecondAmountSet, const StFINDINFO* conditions, const StDATAINFO* dataInfo);

    // The notes reader.
    bool IsNotesInputEnabled();
    bool IsNotesOutputEnabled();
    void ReadNoteDisplayFlags(NoteDisplayFlags flags);
    int ReadOtherNotesText(CString& out);

    ProgressDialog* progress = nullptr;
    AccountTotalList* totals = nullptr;

private:
    int ReadStatementData(short kind, unsigned char*& text, long& size);
    // Copies one data kind's text and releases the engine's buffer; false when there is none.
    bool ReadStatementText(short kind, CString& text);
    int ReadAccountRecords(unsigned int count, bool useSecondAmountSet, const StFINDINFO* conditions,
                           const StDATAINFO* dataInfo);

    ClRuleKamoku* rule = nullptr;
    ClSaveKessansho* statementData = nullptr;
};
