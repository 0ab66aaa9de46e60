// The notes list: the note table, nesting, group switches and the text lines of each note.
#include <StatementXmlBuilder.h>

#include <NoteTable.h>

#include <gtest/gtest.h>

#include <set>

#include "XmlTestHost.h"

using namespace xmltest;

namespace {

TEST(NoteTable, RowsIdsAndLevels)
{
    const std::map<int, int> groupOfSection = {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {6, 2}, {7, 3}, {8, 4}, {9, 5},
                                               {10, 6}, {13, 7}, {14, 8}, {15, 9}, {17, 10}};
    const std::map<int, int> rowsOfSection = {{0, 1}, {1, 12}, {2, 1}, {3, 1}, {6, 33}, {7, 14}, {8, 86},
                                              {9, 3}, {10, 5}, {13, 14}, {14, 3}, {15, 1}, {17, 3}};
    std::map<int, int> counted;
    std::set<std::string> elements;
    int previousLevel = 3;
    for (int r = 0; r < NOTE_ROW_COUNT; ++r) {
        const NoteRow& row = noteTable[r];
        SCOPED_TRACE(row.element);
        const int section = (row.id - 1000000) / 10000;
        const int k = (row.id - 1000000 - 10000 * section) / 10;
        ++counted[section];
        EXPECT_EQ(counted[section], k) << "ids count the rows of a section from 1";
        EXPECT_EQ(1000000 + 10000 * section + 10 * k, row.id);
        ASSERT_TRUE(groupOfSection.count(section));
        EXPECT_EQ(groupOfSection.at(section), row.group);
        EXPECT_GE(row.level, 3);
        EXPECT_LE(row.level, 8);
        EXPECT_LE(row.level, previousLevel + 1);
        EXPECT_TRUE(elements.insert(row.element).second) << "element names are unique";
        previousLevel = row.level;
    }
    EXPECT_EQ(rowsOfSection, counted);
    EXPECT_EQ(0, noteTable[NOTE_ROW_COUNT].id);
    // Each heading opens at level 3; the two change notes hang under the accounting policies.
    EXPECT_EQ(3, noteTable[0].level);
    EXPECT_STREQ("ChangesAccountingPrincipleProcedure", noteTable[13].element);
    EXPECT_EQ(4, noteTable[13].level);
    EXPECT_STREQ("ItemDescriptionOtherNotes", noteTable[NOTE_ROW_COUNT - 1].element);
}

struct NotesCase {
    const char* name;
    std::function<void(OtherNotesLines&)> fill;
    std::vector<int> groupsOn;
    std::string expected;   // between the start and end tags of the list
};

TEST(NotesList, Output)
{
    const NotesCase cases[] = {
        {"no note displayed", [](OtherNotesLines& l) { AddNote(l, 1000010, false, {"x"}); }, {0, 1, 2}, ""},
        {"a displayed note with a displayed sub-note",
         [](OtherNotesLines& l) {
             AddNote(l, 1060010, true, {"a"});
             AddNote(l, 1060020, true, {"b", "c"});
         },
         {2},
         "\t\t\t<NoteBalanceSheet>\r\n\t\t\t\t<Line>a</Line>\r\n"
         "\t\t\t\t<PledgedAssets>\r\n\t\t\t\t\t<Line>b</Line>\r\n\t\t\t\t\t<Line>c</Line>\r\n\t\t\t\t</PledgedAssets>\r\n"
         "\t\t\t</NoteBalanceSheet>\r\n"},
        {"group switched off", [](OtherNotesLines& l) {
             AddNote(l, 1060010, true, {"a"});
             AddNote(l, 1060020, true, {"b"});
         }, {1, 3}, ""},
        {"a displayed note under a parent that is not written stands in its place",
         [](OtherNotesLines& l) {
             AddNote(l, 1070010, false, {"a"});
             AddNote(l, 1070020, false, {"b"});
             AddNote(l, 1070030, true, {"c"});
             AddNote(l, 1070070, true, {"d"});
         },
         {3},
         "\t\t\t\t\t<SalesAffiliates>\r\n\t\t\t\t\t\t<Line>c</Line>\r\n\t\t\t\t\t</SalesAffiliates>\r\n"
         "\t\t\t\t<ValuationLossDeductedClosingInventories>\r\n\t\t\t\t\t<Line>d</Line>\r\n"
         "\t\t\t\t</ValuationLossDeductedClosingInventories>\r\n"},
        {"other notes nest under their heading",
         [](OtherNotesLines& l) {
             AddNote(l, 1170010, true, {"o"});
             AddNote(l, 1170020, true, {"n"});
             AddNote(l, 1170030, true, {"d"});
         },
         {10},
         "\t\t\t<ItemsOtherNotes>\r\n\t\t\t\t<Line>o</Line>\r\n"
         "\t\t\t\t<ItemNameOtherNotes>\r\n\t\t\t\t\t<Line>n</Line>\r\n\t\t\t\t</ItemNameOtherNotes>\r\n"
         "\t\t\t\t<ItemDescriptionOtherNotes>\r\n\t\t\t\t\t<Line>d</Line>\r\n\t\t\t\t</ItemDescriptionOtherNotes>\r\n"
         "\t\t\t</ItemsOtherNotes>\r\n"},
        {"line extraction: empty text, end marks removed, ampersand escaped again",
         [](OtherNotesLines& l) {
             l.Add(CString("<ID>1150010</ID>"));
             l.Add(CString(""));
             l.Add(CString(""));
             l.Add(CString("<Disp>1</Disp>"));
             l.Add(CString("<Value>"));
             l.Add(CString("<Line></Line>"));
             l.Add(CString("  <Line>a</Line>b</Line>"));
             l.Add(CString("<Line>R&D <Line>x</Line>"));
             l.Add(CString("</Value>"));
             l.Add(CString("<Line>after the run</Line>"));
         },
         {9},
         "\t\t\t<NotesMaterialSubsequentEvents>\r\n\t\t\t\t<Line></Line>\r\n\t\t\t\t<Line>ab</Line>\r\n"
         "\t\t\t\t<Line>R&amp;D &lt;Line&gt;x</Line>\r\n\t\t\t</NotesMaterialSubsequentEvents>\r\n"},
        {"a displayed note without its value line has no Line children",
         [](OtherNotesLines& l) {
             l.Add(CString("<ID>1000010</ID>"));
             l.Add(CString(""));
             l.Add(CString(""));
             l.Add(CString("<Disp>1</Disp>"));
             l.Add(CString("<Line>not a value</Line>"));
             l.Add(CString("<Line>x</Line>"));
         },
         {0}, "\t\t\t<NotesGoingConcernAssumption>\r\n\t\t\t</NotesGoingConcernAssumption>\r\n"},
        {"an id line among the last three lines is not displayed",
         [](OtherNotesLines& l) {
             l.Add(CString("<ID>1000010</ID>"));
             l.Add(CString(""));
             l.Add(CString("<Disp>1</Disp>"));
         },
         {0}, ""},
        {"an id line without its display line is passed over",
         [](OtherNotesLines& l) {
             l.Add(CString("<ID>1000010</ID>"));
             l.Add(CString(""));
             l.Add(CString(""));
             l.Add(CString("no display mark"));
             AddNote(l, 1000010, true, {"second"});
         },
         {0},
         // The lines come from the first id line, whose value line is missing.
         "\t\t\t<NotesGoingConcernAssumption>\r\n\t\t\t</NotesGoingConcernAssumption>\r\n"},
        {"a long note line is written whole",
         [](OtherNotesLines& l) { AddNote(l, 1000010, true, {std::string(600, 'x') + "漢字"}); },
         {0},
         "\t\t\t<NotesGoingConcernAssumption>\r\n\t\t\t\t<Line>" + std::string(600, 'x') + "漢字</Line>\r\n"
         "\t\t\t</NotesGoingConcernAssumption>\r\n"},
    };
    for (const NotesCase& c : cases) {
        SCOPED_TRACE(c.name);
        OtherNotesLines lines;
        c.fill(lines);
        NoteDisplayFlags flags = {};
        for (const int group : c.groupsOn)
            flags[group] = 1;
        StatementXmlBuilder builder;
        builder.notesLines = &lines;
        builder.noteFlags = flags;
        const Written written = WriteSection([&](XmlLineWriter& w) { return builder.WriteNotesList(w); });
        EXPECT_EQ(1, written.result);
        EXPECT_EQ("\t\t<ListNotesNonConsolidated>\r\n" + c.expected + "\t\t</ListNotesNonConsolidated>\r\n", written.text);
    }
}

TEST(NotesList, IsNoteDisplayed)
{
    OtherNotesLines lines;
    AddNote(lines, 1060010, true, {"a"});
    AddNote(lines, 1060020, false, {"b"});
    StatementXmlBuilder builder;
    builder.notesLines = &lines;
    EXPECT_TRUE(builder.IsNoteDisplayed(1060010));
    EXPECT_FALSE(builder.IsNoteDisplayed(1060020));
    EXPECT_FALSE(builder.IsNoteDisplayed(1060030));
}

TEST(NotesList, WriteFailureEndsTheList)
{
    OtherNotesLines lines;
    AddNote(lines, 1000010, true, {"a"});
    NoteDisplayFlags flags = {};
    flags[0] = 1;
    StatementXmlBuilder builder;
    builder.notesLines = &lines;
    builder.noteFlags = flags;
    CFile file;
    XmlLineWriter writer;
    ASSERT_EQ(0, writer.Open(&file, "D:\\full"));
    EXPECT_EQ(0, builder.WriteNotesList(writer));
    EXPECT_EQ(-1, builder.WriteNoteSubtree(0, writer));
    EXPECT_EQ(NOTE_TABLE_SLOTS, builder.WriteNoteSubtree(NOTE_TABLE_SLOTS, writer));
}

}  // namespace
