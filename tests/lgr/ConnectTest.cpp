// The connection: opening the books, refusing what is not a book, faults, the transcript and DispMsg.
#include <LgrLink.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "EngineFixture.h"
#include "EngineMessage.h"

using lgrtest::LinesWith;
using lgrtest::NewTranscriptLines;
using testbooks::Utf8;

namespace {

void CloseAll() {
    ClLgrConnect::Inst()->LogOut();
    ClLgrConnect::Inst()->Terminate();
    ClLgrConnect::Inst()->Release();
}

TEST(Connect, BooksThatCannotBeOpenedShowAMessageAndRefuse) {
    testbooks::TestBooks folder;
    const std::string notABook = folder.Folder() + "/text.db";
    std::ofstream(notABook) << "this is not a SQLite file, only some text that is long enough\n";
    testbooks::TestBooks other;
    other.Exec("DROP TABLE faults");
    struct Case {
        const char* name;
        std::string path;
        const char8_t* reason;
    } cases[] = {
        {"missing", folder.Folder() + "/nowhere.db", u8"見つかりません"},
        {"not SQLite", notABook, u8"読み込めない"},
        {"without the schema", other.Path(), u8"読み込めない"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setenv("LGR_BOOKS", c.path.c_str(), 1);
        NewTranscriptLines();
        EXPECT_NE(ClLgrConnect::Inst()->Initiate(), 0);
        CloseAll();
        const std::vector<std::string> lines = NewTranscriptLines();
        const auto boxes = LinesWith(lines, {"\"msgbox\"", Utf8(u8"会計データを開けません。"), c.path, Utf8(c.reason)});
        EXPECT_EQ(boxes.size(), 1u);
        for (const char* call : {"Initiate", "LogOut", "Terminate", "Release"}) {
            EXPECT_EQ(LinesWith(lines, {"\"engine\"", std::string("\"call\":\"") + call + "\""}).size(), 1u) << call;
        }
        EXPECT_EQ(LinesWith(lines, {"\"Initiate\"", "\"status\":0"}).size(), 0u);
    }
    unsetenv("LGR_BOOKS");
}

TEST(Connect, InitiateAndExpSysLinkSucceedOnBooksAndAreLogged) {
    NewTranscriptLines();
    {
        lgrtest::Connected connected(testbooks::kStandardDataSet);
        EXPECT_EQ(connected.initiateStatus, 0);
        EXPECT_EQ(ClLgrConnect::Inst()->ExpSysLink(), 0);
    }
    const std::vector<std::string> lines = NewTranscriptLines();
    for (const char* call : {"Initiate", "ExpSysLink", "LogOut", "Terminate", "Release"}) {
        EXPECT_EQ(LinesWith(lines, {"\"engine\"", std::string("\"call\":\"") + call + "\"", "\"status\":0"}).size(), 1u)
            << call;
    }
    EXPECT_TRUE(LinesWith(lines, {"\"msgbox\""}).empty());
}

TEST(Connect, ExpSysLinkWithoutBooksFails) {
    CloseAll();
    EXPECT_NE(ClLgrConnect::Inst()->ExpSysLink(), 0);
}

TEST(Connect, FaultsFailTheCallAfterItSucceededAfterTimes) {
    lgrtest::Connected connected(
        "INSERT INTO faults(call, status, after) VALUES('ExpSysLink', 1, 2);");
    ASSERT_EQ(connected.initiateStatus, 0);
    NewTranscriptLines();
    const long expected[] = {0, 0, 1, 0};
    for (long status : expected) EXPECT_EQ(ClLgrConnect::Inst()->ExpSysLink(), status);
    EXPECT_EQ(LinesWith(NewTranscriptLines(), {"\"ExpSysLink\"", "\"status\":1"}).size(), 1u);
}

TEST(Connect, AnInitiateFaultLeavesTheBooksClosed) {
    testbooks::TestBooks books("INSERT INTO faults(call, status) VALUES('Initiate', 7);");
    books.Activate();
    NewTranscriptLines();
    EXPECT_EQ(ClLgrConnect::Inst()->Initiate(), 7);
    EXPECT_NE(ClLgrConnect::Inst()->ExpSysLink(), 0);
    CloseAll();
    const std::vector<std::string> lines = NewTranscriptLines();
    EXPECT_EQ(LinesWith(lines, {"\"Initiate\"", "\"status\":7"}).size(), 1u);
    EXPECT_TRUE(LinesWith(lines, {"\"msgbox\""}).empty());
    unsetenv("LGR_BOOKS");
}

TEST(Connect, DispMsgNamesThePackageAndShowsTheBox) {
    NewTranscriptLines();
    const int answer = ClLgrConnect::Inst()->DispMsg(nullptr, "ES_APRPACKAGENAMEを確認してください。\nES_APRPACKAGENAME",
                                                     "決算書", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(answer, IDOK);
    const auto boxes = LinesWith(NewTranscriptLines(), {"\"msgbox\"", Utf8(u8"Voransaを確認してください。\\nVoransa"),
                                                        Utf8(u8"\"caption\":\"決算書\""), "exclamation"});
    EXPECT_EQ(boxes.size(), 1u);
}

TEST(Connect, PackageNameReplacementWalksCharacters) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"plain", "ES_APRPACKAGENAME", "Voransa"},
        {"twice", "aES_APRPACKAGENAMEbES_APRPACKAGENAME", "aVoransabVoransa"},
        // 0x83 0x45 is one character whose trail byte reads as 'E'.
        {"trail byte E", "\x83" "ES_APRPACKAGENAME", "\x83" "ES_APRPACKAGENAME"},
        {"after a double-byte character", "\x83\x45" "ES_APRPACKAGENAME", "\x83\x45" "Voransa"},
        {"lone lead byte at the end", "x\x83", "x\x83"},
        {"none", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lgr::ReplacePackageName(c.text), c.expected);
    }
}

}  // namespace
