// Drive letters, shares and paths: the drive map seen through the Win32 and run-time services.
#include <cerrno>
#include <dirent.h>
#include <optional>
#include <shlwapi.h>
#include <crtext.h>
#include <windows.h>

#include "files_fixture.h"

namespace {

using Drives = ScratchDrives;

bool HostIsDirectory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST_F(Drives, EveryDriveTypeComesBackFromGetDriveType)
{
    SetDrives("A=unknown:" + Folder("a") + ";B=noroot:" + Folder("b") + ";E=removable:" + Folder("e") +
                  ";F=fixed:" + Folder("f") + ";G=remote:" + Folder("g") + ";H=cdrom:" + Folder("h") +
                  ";I=ramdisk:" + Folder("i"),
              "srv\\docs=" + Folder("share"));
    struct Case {
        const char* root;
        UINT type;
    } cases[] = {
        {"A:\\", DRIVE_UNKNOWN},   {"B:\\", DRIVE_NO_ROOT_DIR}, {"E:\\", DRIVE_REMOVABLE},
        {"F:\\", DRIVE_FIXED},     {"G:\\", DRIVE_REMOTE},      {"H:\\", DRIVE_CDROM},
        {"I:\\", DRIVE_RAMDISK},   {"f:\\", DRIVE_FIXED},       {"F:", DRIVE_FIXED},
        {"Z:\\", DRIVE_NO_ROOT_DIR}, {"C:\\", DRIVE_NO_ROOT_DIR}, {"F:\\sub\\", DRIVE_NO_ROOT_DIR},
        {"\\\\srv\\docs\\", DRIVE_REMOTE}, {"\\\\SRV\\Docs", DRIVE_REMOTE}, {"\\\\srv\\other\\", DRIVE_NO_ROOT_DIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root);
        EXPECT_EQ(GetDriveTypeA(c.root), c.type);
    }
}

TEST_F(Drives, MalformedMapIsRefusedWithAMessageAndTheOldMapStays)
{
    SetDrives("K=cdrom:" + root_);
    struct Case {
        const char* drives;
        const char* shares;
        const char* variable;
    } cases[] = {
        {"C", "", "STMTPORT_DRIVES"},
        {"C=fixed", "", "STMTPORT_DRIVES"},
        {"C=floppy:/tmp", "", "STMTPORT_DRIVES"},
        {"1=fixed:/tmp", "", "STMTPORT_DRIVES"},
        {"CD=fixed:/tmp", "", "STMTPORT_DRIVES"},
        {"C=fixed:relative/dir", "", "STMTPORT_DRIVES"},
        {"C=fixed:", "", "STMTPORT_DRIVES"},
        {"C=fixed:/a;c=fixed:/b", "", "STMTPORT_DRIVES"},
        {"C=fixed:/", "srv=/tmp", "STMTPORT_SHARES"},
        {"C=fixed:/", "srv\\=/tmp", "STMTPORT_SHARES"},
        {"C=fixed:/", "\\docs=/tmp", "STMTPORT_SHARES"},
        {"C=fixed:/", "a\\b\\c=/tmp", "STMTPORT_SHARES"},
        {"C=fixed:/", "a\\b=tmp", "STMTPORT_SHARES"},
        {"C=fixed:/", "a\\b=/x;A\\B=/y", "STMTPORT_SHARES"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.drives) + " / " + c.shares);
        setenv("STMTPORT_DRIVES", c.drives, 1);
        setenv("STMTPORT_SHARES", c.shares, 1);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(host::LoadDriveMap());
        std::string message = testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find(c.variable), std::string::npos) << message;
        EXPECT_EQ(GetDriveTypeA("K:\\"), static_cast<UINT>(DRIVE_CDROM));
    }
}

TEST_F(Drives, DefaultMapIsDriveCOverTheHostRoot)
{
    unsetenv("STMTPORT_DRIVES");
    unsetenv("STMTPORT_SHARES");
    ASSERT_TRUE(host::LoadDriveMap());
    EXPECT_EQ(GetDriveTypeA("C:\\"), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(host::ToHostPath("C:\\etc\\passwd"), std::optional<std::string>("/etc/passwd"));
    EXPECT_EQ(host::ToWindowsPath("/usr/bin"), std::optional<std::string>("C:\\usr\\bin"));
}

TEST_F(Drives, ReadOnlyFolderExistsButIsNotWritableEvenForTheSuperuser)
{
    std::string readOnly = Folder("ro");
    Folder("rw");
    ASSERT_EQ(chmod(readOnly.c_str(), 0555), 0);
    SetDrives("C=fixed:" + root_);
    struct Case {
        const char* path;
        int mode;
        int result;
    } cases[] = {
        {"C:\\ro", 0, 0}, {"C:\\ro", 4, 0}, {"C:\\ro", 2, -1}, {"C:\\ro", 6, -1},
        {"C:\\rw", 0, 0}, {"C:\\rw", 6, 0}, {"C:\\", 6, 0},    {"C:\\missing", 0, -1},
        {"Q:\\", 0, -1},  {"C:\\rw", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " mode " + std::to_string(c.mode));
        EXPECT_EQ(_access(c.path, c.mode), c.result);
    }
}

TEST_F(Drives, ShareHoldsFoldersAndMapsBack)
{
    std::string share = Folder("share");
    SetDrives("C=fixed:" + Folder("c"), "srv\\docs=" + share);
    EXPECT_EQ(_access("\\\\srv\\docs", 6), 0);
    EXPECT_EQ(_access("\\\\srv\\nothing", 0), -1);
    ASSERT_TRUE(CreateDirectoryA("\\\\SRV\\Docs\\sub", nullptr));
    EXPECT_TRUE(HostIsDirectory(share + "/sub"));
    EXPECT_TRUE(PathIsDirectoryA("\\\\srv\\docs\\sub"));
    EXPECT_EQ(host::ToWindowsPath(share + "/sub"), std::optional<std::string>("\\\\srv\\docs\\sub"));
    EXPECT_EQ(host::ToWindowsPath(share), std::optional<std::string>("\\\\srv\\docs\\"));
    EXPECT_TRUE(RemoveDirectoryA("\\\\srv\\docs\\sub"));
    EXPECT_FALSE(HostIsDirectory(share + "/sub"));
}

TEST_F(Drives, FolderWhoseNameEndsInTrailByte5CIsCreatedFoundListedAndRemoved)
{
    SetDrives("C=fixed:" + root_);
    const std::string hyou = "\x95\x5C";   // 表 in CP932: its trail byte is a backslash
    const std::string folder = "C:\\" + hyou;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
    EXPECT_TRUE(HostIsDirectory(root_ + "/" + U8(u8"表")));
    EXPECT_TRUE(PathIsDirectoryA(folder.c_str()));
    EXPECT_TRUE(PathIsDirectoryA((folder + "\\").c_str()));
    EXPECT_EQ(_access(folder.c_str(), 0), 0);
    EXPECT_EQ(_access(folder.c_str(), 6), 0);
    ASSERT_TRUE(CreateDirectoryA((folder + "\\" + hyou).c_str(), nullptr));
    EXPECT_TRUE(HostIsDirectory(root_ + "/" + U8(u8"表") + "/" + U8(u8"表")));

    std::vector<std::string> listed;
    DIR* dir = opendir(root_.c_str());
    ASSERT_NE(dir, nullptr);
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') {
            listed.push_back(host::ToWindowsPath(root_ + "/" + entry->d_name).value_or("unmapped"));
        }
    }
    closedir(dir);
    EXPECT_EQ(listed, std::vector<std::string>{folder});

    EXPECT_FALSE(RemoveDirectoryA(folder.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_TRUE(RemoveDirectoryA((folder + "\\" + hyou).c_str()));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
    EXPECT_FALSE(PathFileExistsA(folder.c_str()));
    EXPECT_EQ(_access(folder.c_str(), 0), -1);
}

TEST_F(Drives, WindowsPathsMapToHostPaths)
{
    std::string d = Folder("d");
    Folder("w");
    SetDrives("C=fixed:" + root_ + ";D=removable:" + d, "srv\\docs=" + Folder("share"));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\w"));
    struct Case {
        const char* windows;
        std::optional<std::string> host;
    } cases[] = {
        {"C:\\a\\b.xml", root_ + "/a/b.xml"},
        {"c:/a/./x/../b", root_ + "/a/b"},
        {"C:\\..\\..\\etc", root_ + "/etc"},
        {"C:\\", root_},
        {"D:\\x", d + "/x"},
        {"\\\\srv\\docs\\x\\y", root_ + "/share/x/y"},
        {"\\\\srv\\docs", root_ + "/share"},
        {"a\\b", root_ + "/w/a/b"},
        {"..\\up", root_ + "/up"},
        {"\\top", root_ + "/top"},
        {"C:rel", root_ + "/w/rel"},
        {"D:rel", d + "/rel"},
        {"Q:\\x", std::nullopt},
        {"\\\\srv\\gone\\x", std::nullopt},
        {"\\\\srv", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windows);
        EXPECT_EQ(host::ToHostPath(c.windows), c.host);
    }
}

TEST_F(Drives, HostPathsMapBackThroughTheLongestPrefix)
{
    std::string d = Folder("d");
    SetDrives("C=fixed:" + root_ + ";D=fixed:" + d);
    struct Case {
        std::string host;
        std::optional<std::string> windows;
    } cases[] = {
        {root_, "C:\\"},
        {root_ + "/", "C:\\"},
        {root_ + "/x/y.txt", "C:\\x\\y.txt"},
        {d, "D:\\"},
        {d + "/x", "D:\\x"},
        {root_ + "/dd/x", "C:\\dd\\x"},
        {root_ + "/x/../d/z", "D:\\z"},
        {"/elsewhere", std::nullopt},
        {root_ + "/" + U8(u8"決算書.xml"), "C:\\" + std::string("決算書.xml")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        EXPECT_EQ(host::ToWindowsPath(c.host), c.windows);
    }
}

TEST_F(Drives, CurrentTemporaryAndProgramFoldersComeBackAsWindowsPaths)
{
    Folder("w");
    Folder("t");
    SetDrives("C=fixed:" + root_);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\w"));
    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 4u);
    EXPECT_STREQ(buffer, "C:\\w");
    EXPECT_EQ(GetCurrentDirectoryA(3, buffer), 5u);
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\missing"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    setenv("TMPDIR", (root_ + "/t").c_str(), 1);
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 5u);
    EXPECT_STREQ(buffer, "C:\\t\\");
    setenv("TMPDIR", root_.c_str(), 1);
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 3u);
    EXPECT_STREQ(buffer, "C:\\");
    unsetenv("TMPDIR");

    // The test program lives outside the scratch folder: no drive holds it.
    EXPECT_FALSE(host::ProgramFolderIsMapped());
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, sizeof buffer), 0u);
    SetDrives("C=fixed:/");
    EXPECT_TRUE(host::ProgramFolderIsMapped());
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::string(buffer, 3), "C:\\");
    EXPECT_EQ(host::ToHostPath(buffer), std::optional<std::string>(host::ProgramHostPath()));
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, 4), 4u);
    EXPECT_STREQ(buffer, "C:\\");
}

}  // namespace
