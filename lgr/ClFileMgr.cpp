// LgrFileMgr: the engine's folders, from the folders table or next to the books.
#include <LgrFileMgr.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "Books.h"
#include "TextFields.h"
#include "host/DriveMap.h"

namespace {

constexpr int kSettingsFolder = 1;

// The folder holding the books, as a Windows path with its closing backslash: "C:\books\".
CString BooksFolder() {
    const lgr::Books& books = lgr::Books::Instance();
    const std::string hostPath = books.IsOpen() ? books.HostPath() : lgr::BooksHostPath();
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(hostPath, error);
    if (error) return CString();
    const std::optional<std::string> folder = host::ToWindowsPath(absolute.lexically_normal().parent_path().string());
    if (!folder || folder->empty()) return CString();
    std::string path = *folder;
    if (!lgr::EndsWithBackslash(path)) path += '\\';
    return CString(path.c_str());
}

}  // namespace

ClFileMgr* ClFileMgr::Inst() {
    static ClFileMgr manager;
    return &manager;
}

CString ClFileMgr::GetAppFolderPath(int folderType) {
    lgr::Books& books = lgr::Books::Instance();
    if (books.IsOpen()) {
        lgr::Statement query(books.Handle(), "SELECT path FROM folders WHERE folder_type = ?1");
        query.Bind(1, int64_t{folderType});
        if (query.Step() == SQLITE_ROW) return CString(query.Text(0).c_str());
    }
    return folderType == kSettingsFolder ? BooksFolder() : CString();
}
