// The engine's folders: rows of the folders table, or the defaults beside the books.
#include <LgrFileMgr.h>
#include <gtest/gtest.h>

#include <string>

#include "EngineFixture.h"

using testbooks::Utf8;

namespace {

// The default drive map is C=fixed:/, so a host folder reads as C: plus its path with backslashes.
std::string WindowsFolderOf(const std::string& hostFolder) {
    std::string path = "C:" + hostFolder;
    for (char& ch : path) {
        if (ch == '/') ch = '\\';
    }
    return path + "\\";
}

TEST(Folders, DefaultsAreEmptyOutputAndTheBooksFolder) {
    lgrtest::Connected connected(testbooks::kStandardDataSet);
    ASSERT_EQ(connected.initiateStatus, 0);
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(0), "");
    EXPECT_EQ(ClFileMgr::Inst()->GetAppFolderPath(1).Str(), WindowsFolderOf(connected.Books().Folder()));
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(7), "");
}

TEST(Folders, RowsOfTheFoldersTableWinAndAreCp932) {
    lgrtest::Connected connected(std::string(testbooks::kStandardDataSet) +
                                 Utf8(u8"INSERT INTO folders VALUES(0, 'D:\\出力\\'), (1, 'E:\\設定\\表\\');"));
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(0), "D:\\出力\\");
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(1), "E:\\設定\\表\\");
}

TEST(Folders, TheSettingsFolderIsKnownBeforeTheBooksAreOpened) {
    testbooks::TestBooks books;
    books.Activate();
    ClLgrConnect::Inst()->Terminate();
    EXPECT_EQ(ClFileMgr::Inst()->GetAppFolderPath(1).Str(), WindowsFolderOf(books.Folder()));
    unsetenv("LGR_BOOKS");
}

}  // namespace
