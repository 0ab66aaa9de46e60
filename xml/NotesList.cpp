// The notes list: the note rows of the fixed table whose notes are displayed, with their text lines.
#include "StatementXmlBuilder.h"

#include "NoteTable.h"
#include "XmlLineWriter.h"

#include <cstring>

namespace {

constexpr int WRITE_FAILED = -1;

// The position of `mark` in `line` at or after `from`, or -1. The marks and ids start with '<' or a
// digit, bytes below 0x40 that are never part of a double-byte character, so a plain byte search
// finds exactly the character matches, and fast: every note row searches all the lines.
int FindMark(const CString& line, const char* mark, int from = 0)
{
    const char* text = line;
    const char* found = std::strstr(text + from, mark);
    return found != nullptr ? static_cast<int>(found - text) : -1;
}

// The id line of note `idText`: "<ID>" with the id somewhere after it.
bool IsIdLine(const CString& line, const CString& idText)
{
    const int mark = FindMark(line, "<ID>");
    return mark >= 0 && FindMark(line, idText, mark + 4) >= 0;
}

CString IdText(int32_t noteId)
{
    CString text;
    text.Format("%ld", static_cast<long>(noteId));
    return text;
}

}  // namespace

bool StatementXmlBuilder::IsGroupOn(int group) const
{
    return noteFlags != nullptr && group >= 0 && group < NOTE_DISPLAY_FLAG_COUNT && noteFlags[group] != 0;
}

int StatementXmlBuilder::WriteNotesList(XmlLineWriter& writer)
{
    if (!writer.WriteStartTag("ListNotesNonConsolidated", 2))
        return 0;
    int row = 0;
    while (row < NOTE_TABLE_SLOTS && noteTable[row].id > 0) {
        row = WriteNoteSubtree(row, writer);
        if (row == WRITE_FAILED)
            return 0;
    }
    return writer.WriteEndTag("ListNotesNonConsolidated", 2);
}

int StatementXmlBuilder::WriteNoteSubtree(int row, XmlLineWriter& writer)
{
    if (row < 0 || row >= NOTE_TABLE_SLOTS)
        return NOTE_TABLE_SLOTS;
    const NoteRow& note = noteTable[row];
    int end = row + 1;
    while (end < NOTE_TABLE_SLOTS && noteTable[end].id > 0 && noteTable[end].level > note.level)
        ++end;

    const bool written = IsNoteDisplayed(note.id) && IsGroupOn(note.group);
    if (written) {
        if (!writer.WriteStartTag(note.element, note.level) || !WriteNoteLines(note.id, note.level + 1, writer))
            return WRITE_FAILED;
    }
    // Sub-rows of a row that is not written stand in its place, at their own level.
    for (int sub = row + 1; sub < end;) {
        sub = WriteNoteSubtree(sub, writer);
        if (sub == WRITE_FAILED)
            return WRITE_FAILED;
    }
    if (written && !writer.WriteEndTag(note.element, note.level))
        return WRITE_FAILED;
    return end;
}

bool StatementXmlBuilder::IsNoteDisplayed(int32_t noteId) const
{
    if (notesLines == nullptr)
        return false;
    const CString idText = IdText(noteId);
    const INT_PTR count = notesLines->GetSize();
    for (INT_PTR i = 0; i + 3 < count; ++i) {
        if (!IsIdLine(notesLines->GetAt(i), idText))
            continue;
        const CString& display = notesLines->GetAt(i + 3);
        const int mark = FindMark(display, "<Disp>");
        if (mark >= 0)
            return mark + 6 < display.GetLength() && display[mark + 6] == '1';
    }
    return false;
}

int StatementXmlBuilder::WriteNoteLines(int32_t noteId, int indent, XmlLineWriter& writer)
{
    if (notesLines == nullptr)
        return 1;
    const CString idText = IdText(noteId);
    const INT_PTR count = notesLines->GetSize();
    INT_PTR idLine = 0;
    while (idLine < count && !IsIdLine(notesLines->GetAt(idLine), idText))
        ++idLine;
    if (idLine + 4 >= count || FindMark(notesLines->GetAt(idLine + 4), "<Value>") < 0)
        return 1;
    for (INT_PTR i = idLine + 5; i < count; ++i) {
        const CString& line = notesLines->GetAt(i);
        const int mark = FindMark(line, "<Line>");
        if (mark < 0)
            break;
        CString text = line.Mid(mark + 6);
        text.Replace("</Line>", "");
        if (!writer.WriteTextElement("Line", text, indent))
            return 0;
    }
    return 1;
}
