// The notes settings read through the engine's saved statement texts.
#include <LedgerTotals.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LedgerBooks.h"

namespace {

class NotesReaderTest : public testing::Test {
protected:
    void SetUp() override { books.Clear(); }

    LedgerBooks& books = LedgerBooks::Shared();
    LedgerTotals reader;
};

struct FlagCase {
    const char* name;
    std::string text;
    std::vector<int> flags;   // the elements written from 0; the rest must stay as they were
};

TEST_F(NotesReaderTest, InputMode)
{
    struct Case {
        const char* text;
        bool enabled;
    };
    const Case cases[] = {
        {"InputMode=1", true},
        {"InputMode = 1\r\n", true},
        {"[Notes]\r\nInputMode=\t 2\r\nOther=0", true},
        {"InputMode=+5", true},
        {"InputMode=99999999999999999999", true},
        {"InputMode=0", false},
        {"InputMode=", false},
        {"InputMode=\r\n7", false},
        {"InputMode=-1", false},
        {"InputMode=x1", false},
        {"InputMode\r\nOther=3\r\n", true},
        {"InputMode", false},
        {"Mode=1", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        books.SetText(100, c.text);
        EXPECT_EQ(reader.IsNotesInputEnabled(), c.enabled);
    }
}

TEST_F(NotesReaderTest, NoteOutput)
{
    struct Case {
        const char* text;
        bool enabled;
    };
    const Case cases[] = {
        {"Note=2\r\n", true},
        {"Print=1\r\nNote=1", true},
        {"Note=-1", false},
        {"Note=0\r\nNote=1", false},
        {"Note=", false},
        {"Note=\r\n1", false},
        {"Note= 3", true},
        {"FootNote=4\r\nNote=0", true},   // the first occurrence counts, even inside a longer key
        {"Notes=1", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        books.SetText(0, c.text);
        EXPECT_EQ(reader.IsNotesOutputEnabled(), c.enabled);
    }
}

TEST_F(NotesReaderTest, MissingOrFailingTextsGiveFalse)
{
    EXPECT_FALSE(reader.IsNotesInputEnabled());
    EXPECT_FALSE(reader.IsNotesOutputEnabled());
    books.SetText(100, "InputMode=1");
    books.SetText(0, "Note=1");
    books.SetFault("GetDataType02:100", 3);
    books.SetFault("GetDataType02:0", 3);
    EXPECT_FALSE(reader.IsNotesInputEnabled());
    EXPECT_FALSE(reader.IsNotesOutputEnabled());
}

TEST_F(NotesReaderTest, DisplayFlagsPerSection)
{
    std::string sixty;
    std::vector<int> firstFifty;
    for (int i = 1; i <= 60; ++i) {
        char section[40];
        std::snprintf(section, sizeof section, "[Note_%02d]\r\nDisp=%d\r\n", i, i);
        sixty += section;
        if (i <= 50)
            firstFifty.push_back(i);
    }
    const std::vector<FlagCase> cases = {
        {"two sections", "[Note_01]\r\nDisp=1\r\n[Note_02]\r\nDisp=0\r\n", {1, 0}},
        {"low byte", "[Note_01]\r\nDisp=300\r\n", {44}},
        {"negative", "[Note_01]\r\nDisp=-2\r\n", {-2}},
        {"section without Disp", "[Note_01]\r\nX=1\r\n[Note_02]\r\nDisp=5\r\n[Note_03]\r\nDisp=6", {5, 6}},
        {"header number not read", "[Note_07]\r\nDisp=1\r\n[Note_03]\r\nDisp=2", {1, 2}},
        {"Disp right after the header", "[Note_01]Disp=7", {7}},
        {"Disp inside a short header", "[Note_Disp=1", {}},
        {"Disp at the end", "[Note_01]Disp=", {0}},
        {"text ends after the opener", "[Note_01]\r\nDisp=1\r\n[Note_", {1}},
        {"text is the opener", "[Note_", {}},
        {"opener and three bytes", "[Note_01]", {}},
        {"no sections", "InputMode=1", {}},
        {"more than fifty sections", sixty, firstFifty},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        books.SetText(100, c.text);
        // A guard beyond the table shows that nothing is written past element 49.
        signed char table[NOTE_DISPLAY_FLAG_COUNT + 8];
        std::memset(table, 99, sizeof table);
        reader.ReadNoteDisplayFlags(table);
        for (int i = 0; i < static_cast<int>(sizeof table); ++i) {
            const int expected = i < static_cast<int>(c.flags.size()) ? c.flags[static_cast<size_t>(i)] : 99;
            EXPECT_EQ(table[i], expected) << "element " << i;
        }
    }
}

TEST_F(NotesReaderTest, DisplayFlagsUntouchedWithoutText)
{
    NoteDisplayFlags table;
    std::memset(table, 5, sizeof table);
    reader.ReadNoteDisplayFlags(table);
    books.SetText(100, "");
    reader.ReadNoteDisplayFlags(table);
    books.SetText(100, "[Note_01]\r\nDisp=1");
    books.SetFault("GetDataType02:100", 3);
    reader.ReadNoteDisplayFlags(table);
    for (signed char flag : table)
        EXPECT_EQ(flag, 5);
}

TEST_F(NotesReaderTest, OtherNotesText)
{
    const std::string text = "<Note>\x95\x5C&amp;</Note>\r\n";
    books.SetText(1000, text);
    CString out("stale");
    EXPECT_EQ(reader.ReadOtherNotesText(out), 1);
    EXPECT_EQ(out.Str(), text);

    books.Exec("DELETE FROM statement_texts");
    EXPECT_EQ(reader.ReadOtherNotesText(out), 1);
    EXPECT_TRUE(out.IsEmpty());

    books.SetText(1000, text);
    books.SetFault("GetDataType02:1000", 3);
    out = "stale";
    EXPECT_EQ(reader.ReadOtherNotesText(out), 1);
    EXPECT_TRUE(out.IsEmpty());
}

}
