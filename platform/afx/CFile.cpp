// CFile over the Win32 file API; failures become CFileException with the cause of the Win32 error.
#include "afxfile.h"

#include "crtext.h"

namespace {

// ERROR_* -> CFileException cause.
int CauseOf(LONG osError)
{
    switch (osError) {
    case ERROR_SUCCESS: return CFileException::none;
    case ERROR_FILE_NOT_FOUND: return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_DIR_NOT_EMPTY: return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE: return CFileException::invalidFile;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT: return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION: return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION: return CFileException::lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return CFileException::diskFull;
    default: return CFileException::genericException;
    }
}

[[noreturn]] void ThrowLastError(LPCSTR fileName)
{
    LONG error = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CauseOf(error), error, fileName);
}

// A name without a drive or share joined to the current directory: "a.xml" -> "C:\out\a.xml".
CString FullName(LPCSTR fileName)
{
    char full[MAX_PATH];
    CString name(fileName);
    if (name.IsEmpty() || name[1] == ':' || (name[0] == '\\' && name[1] == '\\')) {
        return name;
    }
    DWORD length = GetCurrentDirectoryA(sizeof full, full);
    if (length == 0 || length >= sizeof full) {
        return name;
    }
    CString folder(full);
    if (name[0] == '\\') {
        return folder.Left(2) + name;
    }
    return folder.Right(1) == "\\" ? folder + name : folder + "\\" + name;
}

}  // namespace

CFileException::CFileException(int cause, LONG osError, LPCSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

void AfxThrowFileException(int cause, LONG osError, LPCSTR fileName)
{
    throw new CFileException(cause, osError, fileName);
}

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE) {}

CFile::CFile(LPCSTR fileName, UINT openFlags) : m_hFile(INVALID_HANDLE_VALUE)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error)) {
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
}

CFile::~CFile()
{
    Abort();
}

BOOL CFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error)
{
    auto fail = [&](LONG osError) {
        if (error != nullptr) {
            error->m_cause = CauseOf(osError);
            error->m_lOsError = osError;
            error->m_strFileName = fileName;
        }
        return FALSE;
    };
    if (m_hFile != INVALID_HANDLE_VALUE) {
        return fail(ERROR_INVALID_HANDLE);
    }
    if (fileName == nullptr || *fileName == '\0') {
        return fail(ERROR_INVALID_NAME);
    }
    DWORD access;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: return fail(ERROR_INVALID_PARAMETER);
    }
    DWORD share;
    switch (openFlags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    }
    DWORD disposition = OPEN_EXISTING;
    if ((openFlags & modeCreate) != 0) {
        disposition = (openFlags & modeNoTruncate) != 0 ? OPEN_ALWAYS : CREATE_ALWAYS;
    }
    HANDLE file = CreateFileA(fileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return fail(static_cast<LONG>(GetLastError()));
    }
    m_hFile = file;
    m_strFileName = FullName(fileName);
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (count > 0 && !ReadFile(m_hFile, buffer, count, &read, nullptr)) {
        ThrowLastError(m_strFileName);
    }
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    DWORD written = 0;
    if (count == 0) {
        return;
    }
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) {
        ThrowLastError(m_strFileName);
    }
    if (written != count) {
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
    }
}

void CFile::Flush()
{
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile)) {
        ThrowLastError(m_strFileName);
    }
}

void CFile::Close()
{
    HANDLE file = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) {
        ThrowLastError(m_strFileName);
    }
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

uint64_t CFile::GetLength() const
{
    DWORD high = 0;
    SetLastError(ERROR_SUCCESS);
    DWORD low = GetFileSize(m_hFile, &high);
    if (low == 0xFFFFFFFF && GetLastError() != ERROR_SUCCESS) {
        ThrowLastError(m_strFileName);
    }
    return (static_cast<uint64_t>(high) << 32) | low;
}

void CFile::Rename(LPCSTR oldName, LPCSTR newName)
{
    if (!MoveFileExA(oldName, newName, 0)) {
        ThrowLastError(oldName);
    }
}

void CFile::Remove(LPCSTR fileName)
{
    if (!DeleteFileA(fileName)) {
        ThrowLastError(fileName);
    }
}

BOOL CFile::GetStatus(LPCSTR fileName, CFileStatus& status)
{
    struct _stat info;
    DWORD attributes = GetFileAttributesA(fileName);
    if (fileName == nullptr || attributes == INVALID_FILE_ATTRIBUTES || _stat(fileName, &info) != 0) {
        status = CFileStatus();
        return FALSE;
    }
    CString full = FullName(fileName);
    status.m_size = info.st_size;
    status.m_attribute = static_cast<BYTE>(attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    _mbsnbcpy(reinterpret_cast<unsigned char*>(status.m_szFullName), reinterpret_cast<const unsigned char*>(full.Str().c_str()),
              sizeof status.m_szFullName - 1);
    status.m_szFullName[sizeof status.m_szFullName - 1] = '\0';
    return TRUE;
}
