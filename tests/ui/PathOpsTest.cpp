// Path operations: character-aware parts and checks, drives and shares, folder chains made and undone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "PathOps.h"
#include "UiTestHost.h"

namespace {

// "表" and "ソ" end in the trail byte 0x5C, "ポ" in 0x7C: none of them is a backslash or a bar.
const std::string hyou = "表";
const std::string so = "ソ";
const std::string po = "ポ";

bool IsHostFolder(const std::string& relative)
{
    return std::filesystem::is_directory(uitest::HostPath(relative));
}

TEST(PathOps, TrailBytesAreNotBackslashes)
{
    ASSERT_EQ(static_cast<unsigned char>(hyou[1]), 0x5C);
    ASSERT_EQ(static_cast<unsigned char>(po[1]), 0x7C);
    const std::string text = "a" + hyou + "b";
    struct Case {
        int index;
        BOOL doubleByte;
    } cases[] = {{0, FALSE}, {1, TRUE}, {2, TRUE}, {3, FALSE}, {4, FALSE}, {-1, FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(IsDoubleByteAt(text.c_str(), c.index), c.doubleByte);
    }
}

TEST(PathOps, AddTrailingBackslash)
{
    struct Case {
        std::string path;
        int capacity;
        BOOL ok;
        std::string result;
    } cases[] = {
        {"", 261, FALSE, ""},
        {"C:\\a", 261, TRUE, "C:\\a\\"},
        {"C:\\a\\", 261, TRUE, "C:\\a\\"},
        {"C:\\" + hyou, 261, TRUE, "C:\\" + hyou + "\\"},
        {"abc", 4, FALSE, "abc"},
        {"abc", 5, TRUE, "abc\\"},
        {"C:\\" + so, 6, FALSE, "C:\\" + so},   // no room even after a double-byte character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char buffer[300] = {};
        strcpy(buffer, c.path.c_str());
        EXPECT_EQ(AddTrailingBackslash(buffer, c.capacity), c.ok);
        EXPECT_EQ(std::string(buffer), c.result);
    }
}

TEST(PathOps, NormaliseFolder)
{
    struct Case {
        std::string path;
        BOOL ok;
        std::string result;
    } cases[] = {
        {"C:\\out\\a.xml", TRUE, "C:\\out\\"},
        {"C:\\out\\", TRUE, "C:\\out\\"},
        {"C:\\out", TRUE, "C:\\"},
        {"C:a.xml", TRUE, "C:\\"},
        {"C:", TRUE, "C:"},
        {"a.xml", FALSE, "a.xml"},
        {"", FALSE, ""},
        {"C:\\" + hyou + "\\a.xml", TRUE, "C:\\" + hyou + "\\"},
        {"C:\\" + hyou, TRUE, "C:\\"},
        {"\\\\srv\\share\\x\\a.xml", TRUE, "\\\\srv\\share\\x\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char buffer[261] = {};
        strcpy(buffer, c.path.c_str());
        EXPECT_EQ(NormaliseFolder(buffer), c.ok);
        EXPECT_EQ(std::string(buffer), c.result);
    }
}

TEST(PathOps, FolderAndFileNameParts)
{
    struct Case {
        std::string destination, folder, name;
    } cases[] = {
        {"C:\\out\\a.xml", "C:\\out\\", "a.xml"},
        {"a.xml", "", "a.xml"},
        {"C:a.xml", "", "C:a.xml"},
        {"C:\\out\\", "C:\\out\\", ""},
        {"C:\\" + hyou, "C:\\", hyou},
        {"C:\\" + so + "\\" + hyou + ".xml", "C:\\" + so + "\\", hyou + ".xml"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        EXPECT_EQ(std::string(FolderPartOf(c.destination.c_str())), c.folder);
        EXPECT_EQ(std::string(FileNamePartOf(c.destination.c_str())), c.name);
    }
}

TEST(PathOps, DestinationText)
{
    struct Case {
        std::string destination;
        BOOL valid;
    } cases[] = {
        {"C:\\out\\a.xml", TRUE},
        {"C:\\out\\*.xml", FALSE},                      // the proposed default
        {"C:\\out\\\\a.xml", FALSE},                    // doubled backslash
        {"\\C:\\out\\\\", FALSE},
        {"C:*a.xml", FALSE},                            // right after the drive colon
        {"C:a.xml", TRUE},
        {"C:\\a:b.xml", FALSE},
        {"C:\\a,b.xml", FALSE},
        {"C:\\a;b.xml", FALSE},
        {"C:\\a\"b.xml", FALSE},
        {"C:\\a<b.xml", FALSE},
        {"C:\\a>b.xml", FALSE},
        {"C:\\a|b.xml", FALSE},
        {"C:\\a?b.xml", FALSE},
        {"C:\\a/b.xml", FALSE},
        {"a/b.xml", FALSE},
        {"C:\\" + hyou + "\\a.xml", TRUE},              // 0x95 0x5C 0x5C is no doubled backslash
        {"C:\\" + po + ".xml", TRUE},                   // 0x83 0x7C is no bar
        {"\\\\srv\\share\\a.xml", TRUE},
        {"\\\\srv\\share\\\\a.xml", FALSE},
        {"\\\\srv\\share\\a?.xml", FALSE},
        {"\\\\srv\\share\\a:b.xml", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        EXPECT_EQ(IsValidDestinationText(c.destination.c_str()), c.valid);
    }
}

TEST(PathOps, DriveLetters)
{
    struct Case {
        char letter;
        BOOL usable;
    } cases[] = {
        {'C', TRUE}, {'c', TRUE},    // fixed
        {'E', TRUE},                 // removable
        {'D', FALSE},                // CD-ROM
        {'R', FALSE},                // RAM disk
        {'Q', FALSE},                // unknown
        {'F', FALSE},                // fixed, root not there
        {'Z', TRUE},                 // no such drive: left to the folder and file steps
        {'1', FALSE}, {'\\', FALSE}, {'\0', FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.letter));
        EXPECT_EQ(IsUsableDriveLetter(c.letter, 6), c.usable);
    }
}

TEST(PathOps, DrivesAndShares)
{
    struct Case {
        std::string destination;
        BOOL usable;
    } cases[] = {
        {"C:\\out\\a.xml", TRUE},
        {"D:\\a.xml", FALSE},
        {"Z:\\a.xml", TRUE},
        {"C:\\out\\\\a.xml", FALSE},
        {"\\\\srv\\share\\a.xml", TRUE},
        {"\\\\srv\\share\\sub\\a.xml", TRUE},
        {"\\\\srv\\gone\\a.xml", FALSE},     // the share's folder is not there
        {"\\\\srv\\nope\\a.xml", FALSE},     // no such share
        {"\\\\srv\\share", FALSE},            // no backslash after the share name
        {"\\\\srv", FALSE},
        {"", FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        EXPECT_EQ(IsUsableDrive(c.destination.c_str()), c.usable);
    }
}

TEST(PathOps, ExistingFolder)
{
    uitest::WriteHostFile(uitest::HostPath("c/exists/file.txt"), "x");
    EXPECT_TRUE(IsExistingFolder("C:\\exists\\"));
    EXPECT_TRUE(IsExistingFolder("C:\\exists\\file.txt"));   // its folder
    EXPECT_FALSE(IsExistingFolder("C:\\exists\\file.txt\\"));
    EXPECT_FALSE(IsExistingFolder("C:\\missing\\"));
    EXPECT_FALSE(IsExistingFolder("a.xml"));
}

TEST(PathOps, CreateFolderPathMakesEveryMissingLevel)
{
    ASSERT_TRUE(CreateFolderPath("C:\\made\\one\\two\\"));
    EXPECT_TRUE(IsHostFolder("c/made/one/two"));
    // The name part of a destination is not a folder to make.
    ASSERT_TRUE(CreateFolderPath(("C:\\made\\" + hyou + "\\a.xml").c_str()));
    EXPECT_TRUE(IsHostFolder("c/made/" + std::string(reinterpret_cast<const char*>(u8"表"))));
    EXPECT_FALSE(std::filesystem::exists(uitest::HostPath("c/made/" + std::string(reinterpret_cast<const char*>(u8"表")) + "/a.xml")));
    EXPECT_TRUE(CreateFolderPath("C:\\"));
    EXPECT_TRUE(CreateFolderPath("C:\\made\\one\\"));   // all there already
    EXPECT_FALSE(CreateFolderPath(""));
    EXPECT_FALSE(CreateFolderPath("a.xml"));
}

TEST(PathOps, CreateFolderPathUndoesWhatItMadeWhenALevelCannotBeMade)
{
    // A regular file where the third level must go.
    uitest::WriteHostFile(uitest::HostPath("c/blocked/file"), "x");
    ASSERT_TRUE(IsHostFolder("c/blocked"));
    EXPECT_FALSE(CreateFolderPath("C:\\blocked\\file\\sub\\"));
    EXPECT_TRUE(IsHostFolder("c/blocked"));
    EXPECT_TRUE(std::filesystem::is_regular_file(uitest::HostPath("c/blocked/file")));

    // A name longer than the host allows: 90 double-byte characters are 270 bytes of UTF-8.
    std::string tooLong;
    for (int i = 0; i < 90; ++i)
        tooLong += "あ";
    std::filesystem::create_directories(uitest::HostPath("c/base"));
    EXPECT_FALSE(CreateFolderPath(("C:\\base\\long1\\long2\\" + tooLong + "\\").c_str()));
    EXPECT_FALSE(std::filesystem::exists(uitest::HostPath("c/base/long1")));
    EXPECT_TRUE(IsHostFolder("c/base"));
}

TEST(PathOps, RemoveCreatedFolders)
{
    std::filesystem::create_directories(uitest::HostPath("c/keep/a/b"));
    EXPECT_FALSE(RemoveCreatedFolders("D:\\keep\\a\\b\\", "C:\\keep\\"));   // other root
    EXPECT_FALSE(RemoveCreatedFolders("C:\\keep\\a\\b\\", "C:\\other\\"));  // keep is not above target
    EXPECT_FALSE(RemoveCreatedFolders("", "C:\\keep\\"));
    EXPECT_TRUE(IsHostFolder("c/keep/a/b"));

    EXPECT_TRUE(RemoveCreatedFolders("C:\\keep\\a\\b\\", "c:\\KEEP\\"));
    EXPECT_FALSE(std::filesystem::exists(uitest::HostPath("c/keep/a")));
    EXPECT_TRUE(IsHostFolder("c/keep"));
}

}  // namespace
