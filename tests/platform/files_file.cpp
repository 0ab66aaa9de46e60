// Files: CFile and its exceptions, the Win32 file API, settings files, global memory.
#include <afxfile.h>
#include <crtext.h>
#include <objbase.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "files_fixture.h"
#include "host/FileErrors.h"

namespace {

class Files : public ScratchDrives {
protected:
    void SetUp() override
    {
        ScratchDrives::SetUp();
        Folder("w");
        SetDrives("C=fixed:" + root_ + ";D=fixed:/dev");
    }

    void WriteHost(const std::string& name, const std::string& text)
    {
        std::ofstream(root_ + "/" + name, std::ios::binary) << text;
    }

    std::string ReadHost(const std::string& name)
    {
        std::ifstream in(root_ + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

// Runs `action` and returns the cause of the CFileException it raises, -1 when it raises none.
template <typename Action>
int CauseRaisedBy(Action action)
{
    try {
        action();
    } catch (CFileException* error) {
        int cause = error->m_cause;
        error->Delete();
        return cause;
    }
    return -1;
}

TEST_F(Files, WriteToAFullDeviceRaisesDiskFull)
{
    CFile file("D:\\full", CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    try {
        file.Write("abc", 3);
        ADD_FAILURE() << "no exception";
    } catch (CFileException* error) {
        EXPECT_EQ(error->m_cause, CFileException::diskFull);
        EXPECT_EQ(error->m_lOsError, ERROR_DISK_FULL);
        EXPECT_STREQ(error->m_strFileName, "D:\\full");
        error->Delete();
    }
    file.Close();
    // A closed file raises on every further write, and closing again is harmless.
    EXPECT_EQ(CauseRaisedBy([&] { file.Write("x", 1); }), CFileException::invalidFile);
    EXPECT_EQ(CauseRaisedBy([&] { file.Close(); }), -1);
}

TEST_F(Files, OpeningInAMissingFolderRaisesOrReportsBadPath)
{
    EXPECT_EQ(CauseRaisedBy([] { CFile file("C:\\missing\\a.xml", CFile::modeCreate | CFile::modeWrite); }),
              CFileException::badPath);
    struct Case {
        const char* path;
        UINT flags;
        int cause;
        LONG osError;
    } cases[] = {
        {"C:\\missing\\a.xml", CFile::modeCreate | CFile::modeWrite, CFileException::badPath, ERROR_PATH_NOT_FOUND},
        {"C:\\w\\missing.xml", CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {"Q:\\a.xml", CFile::modeCreate | CFile::modeWrite, CFileException::badPath, ERROR_PATH_NOT_FOUND},
        {"C:\\w", CFile::modeRead, CFileException::accessDenied, ERROR_ACCESS_DENIED},
        {"", CFile::modeRead, CFileException::badPath, ERROR_INVALID_NAME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path, c.flags, &error));
        EXPECT_EQ(error.m_cause, c.cause);
        EXPECT_EQ(error.m_lOsError, c.osError);
        EXPECT_STREQ(error.m_strFileName, c.path);
        EXPECT_EQ(file.m_hFile, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(file.Open(c.path, c.flags));
    }
}

TEST_F(Files, CreateTruncatesUnlessToldNotTo)
{
    WriteHost("w/a.txt", "old contents");
    {
        CFile file("C:\\w\\a.txt", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(file.GetLength(), 12u);
        char buffer[4] = {};
        EXPECT_EQ(file.Read(buffer, 3), 3u);
        EXPECT_STREQ(buffer, "old");
    }
    EXPECT_EQ(ReadHost("w/a.txt"), "old contents");
    {
        CFile file("C:\\w\\a.txt", CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
        file.Write("new\r\n", 5);
        file.Flush();
        file.Close();
    }
    EXPECT_EQ(ReadHost("w/a.txt"), "new\r\n");
    CFile reader("C:\\w\\a.txt", CFile::modeRead);
    char buffer[16];
    EXPECT_EQ(reader.Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(reader.Read(buffer, sizeof buffer), 0u);
}

TEST_F(Files, ExclusiveAccessShutsOutOtherOpens)
{
    CFile first("C:\\w\\x.xml", CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open("C:\\w\\x.xml", CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    first.Write("keep", 4);
    EXPECT_EQ(CauseRaisedBy([] { CFile third("C:\\w\\x.xml", CFile::modeCreate | CFile::modeWrite); }),
              CFileException::sharingViolation);
    first.Close();
    EXPECT_EQ(ReadHost("w/x.xml"), "keep");
    EXPECT_TRUE(second.Open("C:\\w\\x.xml", CFile::modeRead | CFile::shareDenyWrite));
}

TEST_F(Files, RenameRemoveAndStatus)
{
    WriteHost("w/a.txt", "12345");
    WriteHost("w/b.txt", "b");
    EXPECT_EQ(CauseRaisedBy([] { CFile::Rename("C:\\w\\a.txt", "C:\\w\\b.txt"); }), CFileException::accessDenied);
    EXPECT_EQ(CauseRaisedBy([] { CFile::Rename("C:\\w\\a.txt", "C:\\w\\c.txt"); }), -1);
    EXPECT_EQ(CauseRaisedBy([] { CFile::Remove("C:\\w\\a.txt"); }), CFileException::fileNotFound);
    EXPECT_EQ(CauseRaisedBy([] { CFile::Remove("C:\\w\\b.txt"); }), -1);
    EXPECT_EQ(CauseRaisedBy([] { CFile::Remove("C:\\gone\\b.txt"); }), CFileException::badPath);

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\w"));
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus("c.txt", status));
    EXPECT_EQ(status.m_size, 5);
    EXPECT_EQ(status.m_attribute, 0);
    EXPECT_STREQ(status.m_szFullName, "C:\\w\\c.txt");
    ASSERT_TRUE(CFile::GetStatus("C:\\w", status));
    EXPECT_EQ(status.m_attribute, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(CFile::GetStatus("C:\\w\\none", status));
}

TEST_F(Files, Win32FileCallsSetTheirErrors)
{
    HANDLE file = CreateFileA("C:\\w\\n.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "0123456789", 10, &written, nullptr));
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
    EXPECT_EQ(SetFilePointer(file, -7, nullptr, FILE_CURRENT), 0xFFFFFFFFu);
    EXPECT_EQ(GetLastError(), 131u);
    DWORD high = 1;
    EXPECT_EQ(GetFileSize(file, &high), 10u);
    EXPECT_EQ(high, 0u);
    EXPECT_TRUE(FlushFileBuffers(file));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_EQ(CreateFileA("C:\\w\\n.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    file = CreateFileA("C:\\w\\n.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "0123456789");
    EXPECT_TRUE(CloseHandle(file));

    WriteHost("w/new.bin", "replacement");
    EXPECT_FALSE(MoveFileExA("C:\\w\\new.bin", "C:\\w\\n.bin", 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExA("C:\\w\\new.bin", "C:\\w\\n.bin", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadHost("w/n.bin"), "replacement");
    EXPECT_FALSE(MoveFileExA("C:\\w\\new.bin", "C:\\w\\m.bin", 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    EXPECT_FALSE(DeleteFileA("C:\\w\\none"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileA("C:\\none\\none"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CreateDirectoryA("C:\\w", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\a\\b", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, HostErrorsBecomeWin32Errors)
{
    struct Case {
        int error;
        DWORD win32;
    } cases[] = {
        {ENOSPC, ERROR_DISK_FULL},    {EFBIG, ERROR_DISK_FULL},          {EDQUOT, ERROR_DISK_FULL},
        {EACCES, ERROR_ACCESS_DENIED}, {EROFS, ERROR_ACCESS_DENIED},     {ENOTDIR, ERROR_PATH_NOT_FOUND},
        {EMFILE, ERROR_TOO_MANY_OPEN_FILES}, {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
        {ENOTEMPTY, ERROR_DIR_NOT_EMPTY}, {EEXIST, ERROR_ALREADY_EXISTS}, {EWOULDBLOCK, ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::strerror(c.error));
        EXPECT_EQ(host::ErrorFromErrno(c.error), c.win32);
    }
    EXPECT_EQ(host::ErrorFromErrno(ENOENT, root_ + "/w/x"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(host::ErrorFromErrno(ENOENT, root_ + "/none/x"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, AttributesAndStatusTellFilesFromFolders)
{
    WriteHost("w/ro.txt", "abc");
    ASSERT_EQ(chmod((root_ + "/w/ro.txt").c_str(), 0444), 0);
    EXPECT_EQ(GetFileAttributesA("C:\\w"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesA("C:\\w\\ro.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("C:\\w\\none"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(_access("C:\\w\\ro.txt", 2), -1);
    EXPECT_EQ(_access("C:\\w\\ro.txt", 4), 0);

    struct _stat info;
    ASSERT_EQ(_stat("C:\\w\\ro.txt", &info), 0);
    EXPECT_EQ(info.st_mode & _S_IFMT, _S_IFREG);
    EXPECT_EQ(info.st_mode & _S_IWRITE, 0);
    EXPECT_EQ(info.st_size, 3);
    ASSERT_EQ(_stat("C:\\w", &info), 0);
    EXPECT_EQ(info.st_mode & _S_IFMT, _S_IFDIR);
    EXPECT_EQ(_stat("C:\\w\\none", &info), -1);
    EXPECT_EQ(_stat("Q:\\", &info), -1);
}

TEST_F(Files, SettingsFileValues)
{
    WriteHost("w/Def.ini",
              "; levels\r\n"
              "[ProgramLevel]\r\n"
              "KT31 = 3 \r\n"
              "Empty=\r\n"
              "Quoted=\"  spaced  \"\r\n"
              "Long=abcdefgh\r\n"
              "Kanji=表表\r\n"
              "[other]\n"
              "KT31=9\n"
              "[\x83\x41x]\n"
              "K=1\n");
    struct Case {
        const char* section;
        const char* key;
        const char* defaultValue;
        DWORD size;
        const char* file;
        const char* expected;
    } cases[] = {
        {"ProgramLevel", "KT31", "0", 16, "C:\\w\\Def.ini", "3"},
        {"programlevel", "kt31", "0", 16, "C:\\w\\Def.ini", "3"},
        {"other", "KT31", "0", 16, "C:\\w\\Def.ini", "9"},
        {"ProgramLevel", "Missing", "dflt", 16, "C:\\w\\Def.ini", "dflt"},
        {"ProgramLevel", "Missing", nullptr, 16, "C:\\w\\Def.ini", ""},
        {"Nowhere", "KT31", "d", 16, "C:\\w\\Def.ini", "d"},
        {"ProgramLevel", "Empty", "dflt", 16, "C:\\w\\Def.ini", ""},
        {"ProgramLevel", "Quoted", "", 16, "C:\\w\\Def.ini", "  spaced  "},
        {"ProgramLevel", "Long", "", 5, "C:\\w\\Def.ini", "abcd"},
        {"ProgramLevel", "Kanji", "", 4, "C:\\w\\Def.ini", "表"},
        {"\x83\x41X", "k", "0", 16, "C:\\w\\Def.ini", "1"},
        {"\x83\x61x", "K", "0", 16, "C:\\w\\Def.ini", "0"},
        {"ProgramLevel", "KT31", "none", 16, "C:\\w\\Missing.ini", "none"},
        {"ProgramLevel", "KT31", "none ", 16, "Q:\\Def.ini", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + " in " + c.file);
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        DWORD length = GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer, c.size, c.file);
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(length, std::strlen(c.expected));
    }
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\w"));
    char buffer[64];
    EXPECT_EQ(GetPrivateProfileStringA("ProgramLevel", "KT31", "", buffer, sizeof buffer, "Def.ini"), 1u);
    DWORD length = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, "Def.ini");
    EXPECT_EQ(std::string(buffer, length + 1), std::string("ProgramLevel\0other\0\x83\x41x\0\0", 24));
}

TEST(GlobalMemory, MovableBlocksHaveHandlesOtherThanTheirAddresses)
{
    HGLOBAL memory = GlobalAlloc(GHND, 64);
    ASSERT_NE(memory, nullptr);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(memory));
    ASSERT_NE(bytes, nullptr);
    EXPECT_NE(static_cast<void*>(bytes), memory);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    bytes[63] = 7;
    EXPECT_EQ(GlobalLock(memory), bytes);
    EXPECT_TRUE(GlobalUnlock(memory));
    EXPECT_FALSE(GlobalUnlock(memory));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GlobalFree(memory), nullptr);
    EXPECT_EQ(GlobalLock(memory), nullptr);
    EXPECT_EQ(GlobalFree(memory), memory);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    HGLOBAL fixed = GlobalAlloc(GPTR, 8);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(static_cast<unsigned char*>(fixed)[7], 0);
    EXPECT_EQ(GlobalFree(fixed), nullptr);

    void* task = CoTaskMemAlloc(16);
    ASSERT_NE(task, nullptr);
    std::memset(task, 1, 16);
    CoTaskMemFree(task);
    CoTaskMemFree(nullptr);
}

}  // namespace
