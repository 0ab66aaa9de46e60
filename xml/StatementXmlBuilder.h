// Writes the whole statements file of one run: frame, headers, the statements and the notes list.
#pragma once

#include <afxstr.h>
#include <windows.h>

#include <AccountTotal.h>
#include <NoteDisplayFlags.h>
#include <OtherNotesLines.h>

#include <LgrRecords.h>

#include <cstdint>
#include <vector>

class ProgressDialog;
class XmlLineWriter;

// Every operation returns 1 when done and 0 when it failed, unless it says otherwise. The builder
// only reads what its members point at. The file is walked in document order and written line by
// line; a failed write ends the document with 0, and the partly written file stays on disk.
class StatementXmlBuilder {
public:
    // Records selected by a classification code, in list order; they point into `totals`.
    typedef std::vector<const AccountTotal*> WorkingList;

    StatementXmlBuilder() = default;
    virtual ~StatementXmlBuilder() = default;
    StatementXmlBuilder(const StatementXmlBuilder&) = delete;
    StatementXmlBuilder& operator=(const StatementXmlBuilder&) = delete;

    // 1 when the whole file was written. Moves the progress bar from progressBase to 1000.
    int BuildDocument(LPCSTR path, short functionId, const StDATAINFO* data);

    // The header sections and DATA.
    int WriteSystem(XmlLineWriter& writer, short functionId);
    int WriteBasic(XmlLineWriter& writer, const StDATAINFO* data);
    int WriteData(XmlLineWriter* writer, const StDATAINFO* data);
    // The company name in full-width form; a name of more than 30 bytes is cut to at most 63 bytes
    // of whole characters.
    static CString ClientName(LPCSTR companyName);

    // Balance sheet, income statement and cost schedule.
    int WriteBalanceSheet(XmlLineWriter& writer);
    int WriteIncomeStatement(XmlLineWriter& writer);
    int WriteCostSchedule(XmlLineWriter& writer);
    // The first record whose classCode is `code`, whatever its kind; null when there is none.
    const AccountTotal* FindByCode(uint32_t code) const;
    // Replace `list` with the records of kind 0 or 3 whose classCode has every bit of `mask` set
    // (CollectByMask) or equals `code` (CollectByCode). 0 only when the list cannot grow.
    int CollectByMask(uint32_t mask, WorkingList& list) const;
    int CollectByCode(uint32_t code, WorkingList& list) const;
    // The first `length` bytes of `name` without blanks, brackets and the marks (製) [製] (完)
    // [完] (未) [未], which are matched only at character boundaries. 0 with `output` untouched
    // when the name is empty.
    static int CleanLabel(LPCSTR name, CString& output, int length);
    int WriteGroupStart(XmlLineWriter& writer, uint32_t code, LPCSTR element, int indent);
    int WriteItems(XmlLineWriter& writer, uint32_t mask, int indent);
    // Nothing is written, with result 1, when no record has the code.
    int WriteTotalLine(XmlLineWriter& writer, uint32_t code, LPCSTR element, int indent);
    int WriteTaxItems(XmlLineWriter& writer, int indent);
    // Lists the fixed-asset accounts classified under no fixed-asset group; with `warn`, each is
    // first reported in a warning box owned by ownerWindow (when there is one).
    int WriteUnplacedFixedAssets(XmlLineWriter& writer, int indent, bool warn);

    // Statement of changes in net assets. 0 also when retained earnings brought forward have a
    // non-zero sum while no net-income record exists.
    int WriteEquityStatement(XmlLineWriter& writer);

    // The notes list. A displayed note whose parent row is not written (the parent not displayed
    // while the group is on) is written at its own level in place of the missing parent, with its
    // lines and its displayed sub-rows.
    int WriteNotesList(XmlLineWriter& writer);
    // The index of the first row after row `row`'s subtree, or -1 when a write failed.
    int WriteNoteSubtree(int row, XmlLineWriter& writer);
    bool IsNoteDisplayed(int32_t noteId) const;
    int WriteNoteLines(int32_t noteId, int indent, XmlLineWriter& writer);

    ProgressDialog* progress = nullptr;
    AccountTotalList* totals = nullptr;
    HWND ownerWindow = nullptr;
    short equityKind = 1;                 // 1 shareholders' equity, 2 members' equity
    int notesPresent = 0;                 // 1: the notes were read, so the notes list is written
    OtherNotesLines* notesLines = nullptr;
    const signed char* noteFlags = nullptr;   // a NoteDisplayFlags table, indexed by note group
    short progressBase = 500;             // main-bar position at which the XML stage begins

private:
    void PulseActivity();
    void AdvanceProgress(int first, int last);
    int WriteGroup(XmlLineWriter& writer, uint32_t code, LPCSTR element);
    bool IsGroupOn(int group) const;
};
