// kernel32 drives, folders and files over the drive map, with Win32 error codes.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/Codepage.h"
#include "host/DriveMap.h"
#include "host/FileErrors.h"
#include "windows.h"

namespace {

constexpr DWORD kErrorGenFailure = 31;
constexpr DWORD kErrorNotSameDevice = 17;
constexpr DWORD kErrorNegativeSeek = 131;
constexpr DWORD kErrorInsufficientBuffer = 122;
constexpr DWORD kErrorDirectory = 267;
constexpr DWORD kInvalidSetFilePointer = 0xFFFFFFFF;
constexpr DWORD kInvalidFileSize = 0xFFFFFFFF;

thread_local DWORD lastError = ERROR_SUCCESS;

// Open files by handle; handles are plain numbers, never host pointers or descriptors.
class HandleTable {
public:
    HANDLE Add(int fd)
    {
        next_ += 4;
        files_[next_] = fd;
        return reinterpret_cast<HANDLE>(next_);
    }
    int Find(HANDLE handle) const
    {
        auto it = files_.find(reinterpret_cast<uintptr_t>(handle));
        return it == files_.end() ? -1 : it->second;
    }
    int Take(HANDLE handle)
    {
        auto it = files_.find(reinterpret_cast<uintptr_t>(handle));
        if (it == files_.end()) {
            return -1;
        }
        int fd = it->second;
        files_.erase(it);
        return fd;
    }

private:
    uintptr_t next_ = 0x7F000000;
    std::map<uintptr_t, int> files_;
};

HandleTable& Handles()
{
    static HandleTable table;
    return table;
}

BOOL FailWith(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL FailWithErrno(int error, const std::string& hostPath = std::string())
{
    return FailWith(host::ErrorFromErrno(error, hostPath));
}

bool IsDirectory(const std::string& hostPath)
{
    struct stat info;
    return stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& hostPath)
{
    struct stat info;
    return lstat(hostPath.c_str(), &info) == 0;
}

// True when the last character, scanned from the start, is a backslash (not a trail byte).
bool EndsWithBackslash(std::string_view text)
{
    bool last = false;
    for (size_t i = 0; i < text.size(); i += host::Cp932CharLength(text, i)) {
        last = host::Cp932CharLength(text, i) == 1 && text[i] == '\\';
    }
    return last;
}

int FileDescriptorOrError(HANDLE file)
{
    int fd = Handles().Find(file);
    if (fd < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return fd;
}

}  // namespace

namespace host {

DWORD ErrorFromErrno(int error, const std::string& hostPath)
{
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: {
        size_t slash = hostPath.rfind('/');
        if (!hostPath.empty() && slash != std::string::npos && !IsDirectory(slash == 0 ? "/" : hostPath.substr(0, slash))) {
            return ERROR_PATH_NOT_FOUND;
        }
        return ERROR_FILE_NOT_FOUND;
    }
    case ENOTDIR:
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case EXDEV: return kErrorNotSameDevice;
    case EIO: return ERROR_WRITE_FAULT;
    default: return kErrorGenFailure;
    }
}

std::optional<std::string> HostPathOrError(LPCSTR windowsPath)
{
    if (windowsPath == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    std::optional<std::string> hostPath = ToHostPath(windowsPath);
    if (!hostPath) {
        SetLastError(ERROR_PATH_NOT_FOUND);
    }
    return hostPath;
}

DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size)
{
    if (buffer == nullptr || text.size() + 1 > size) {
        return static_cast<DWORD>(text.size() + 1);
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace host

DWORD GetLastError()
{
    return lastError;
}

void SetLastError(DWORD error)
{
    lastError = error;
}

UINT GetDriveTypeA(LPCSTR root)
{
    if (root == nullptr) {
        std::optional<std::string> current = host::FullWindowsPath(".");
        if (!current) {
            return DRIVE_NO_ROOT_DIR;
        }
        return (*current)[1] == ':' ? host::DriveType((*current)[0]) : DRIVE_REMOTE;
    }
    std::string_view text = root;
    bool letter = text.size() >= 2 && text[1] == ':' && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
    if (letter && (text.size() == 2 || (text.size() == 3 && (text[2] == '\\' || text[2] == '/')))) {
        return host::DriveType(text[0]);
    }
    return host::ShareListed(text) ? DRIVE_REMOTE : DRIVE_NO_ROOT_DIR;
}

BOOL CreateDirectoryA(LPCSTR path, void*)
{
    std::optional<std::string> hostPath = host::HostPathOrError(path);
    if (!hostPath) {
        return FALSE;
    }
    if (mkdir(hostPath->c_str(), 0777) != 0) {
        return FailWithErrno(errno, *hostPath);
    }
    return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR path)
{
    std::optional<std::string> hostPath = host::HostPathOrError(path);
    if (!hostPath) {
        return FALSE;
    }
    if (rmdir(hostPath->c_str()) != 0) {
        return errno == ENOTDIR && Exists(*hostPath) ? FailWith(kErrorDirectory) : FailWithErrno(errno, *hostPath);
    }
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR path)
{
    std::optional<std::string> hostPath = host::HostPathOrError(path);
    if (!hostPath) {
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat info;
    if (stat(hostPath->c_str(), &info) != 0) {
        FailWithErrno(errno, *hostPath);
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if ((info.st_mode & 0222) == 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL DeleteFileA(LPCSTR path)
{
    std::optional<std::string> hostPath = host::HostPathOrError(path);
    if (!hostPath) {
        return FALSE;
    }
    if (unlink(hostPath->c_str()) != 0) {
        return FailWithErrno(errno, *hostPath);
    }
    return TRUE;
}

BOOL MoveFileExA(LPCSTR existing, LPCSTR replacement, DWORD flags)
{
    std::optional<std::string> from = host::HostPathOrError(existing);
    std::optional<std::string> to = from ? host::HostPathOrError(replacement) : std::nullopt;
    if (!from || !to) {
        return FALSE;
    }
    if (!Exists(*from)) {
        return FailWithErrno(ENOENT, *from);
    }
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0) {
        if (renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), RENAME_NOREPLACE) == 0) {
            return TRUE;
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return FailWithErrno(errno, *to);
        }
        // A file system without RENAME_NOREPLACE: check, then rename.
        if (Exists(*to)) {
            return FailWith(ERROR_ALREADY_EXISTS);
        }
    } else if (IsDirectory(*to)) {
        return FailWith(ERROR_ACCESS_DENIED);
    }
    // rename(2) replaces the target atomically: readers see the old file or the new one.
    if (rename(from->c_str(), to->c_str()) != 0) {
        return FailWithErrno(errno, *to);
    }
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
    char host[PATH_MAX];
    if (getcwd(host, sizeof host) == nullptr) {
        FailWithErrno(errno);
        return 0;
    }
    std::optional<std::string> current = host::ToWindowsPath(host);
    if (!current) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    return host::CopyOut(*current, buffer, size);
}

BOOL SetCurrentDirectoryA(LPCSTR path)
{
    std::optional<std::string> hostPath = host::HostPathOrError(path);
    if (!hostPath) {
        return FALSE;
    }
    if (chdir(hostPath->c_str()) != 0) {
        return FailWith(errno == ENOENT ? ERROR_FILE_NOT_FOUND : host::ErrorFromErrno(errno, *hostPath));
    }
    return TRUE;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size)
{
    std::optional<std::string> program = host::ToWindowsPath(host::ProgramHostPath());
    if (!program) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (buffer == nullptr || size == 0) {
        FailWith(kErrorInsufficientBuffer);
        return 0;
    }
    // Too small a buffer takes what fits, ends with NUL and returns its size.
    if (program->size() + 1 > size) {
        std::memcpy(buffer, program->data(), size - 1);
        buffer[size - 1] = '\0';
        FailWith(kErrorInsufficientBuffer);
        return size;
    }
    std::memcpy(buffer, program->c_str(), program->size() + 1);
    return static_cast<DWORD>(program->size());
}

DWORD GetTempPathA(DWORD size, LPSTR buffer)
{
    const char* tmp = std::getenv("TMPDIR");
    std::optional<std::string> folder = host::ToWindowsPath(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
    if (!folder) {
        FailWith(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (!EndsWithBackslash(*folder)) {
        *folder += '\\';
    }
    return host::CopyOut(*folder, buffer, size);
}

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void*, DWORD disposition, DWORD, HANDLE)
{
    std::optional<std::string> hostPath = host::HostPathOrError(path);
    if (!hostPath) {
        return INVALID_HANDLE_VALUE;
    }
    bool reads = (access & GENERIC_READ) != 0;
    bool writes = (access & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    bool truncate = false;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT; truncate = true; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: truncate = true; break;
    default:
        FailWith(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (truncate && !writes) {
        FailWith(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    bool existed = Exists(*hostPath);
    int fd = open(hostPath->c_str(), flags, 0666);
    if (fd < 0) {
        FailWith(errno == EEXIST ? ERROR_FILE_EXISTS : host::ErrorFromErrno(errno, *hostPath));
        return INVALID_HANDLE_VALUE;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        FailWith(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    // Sharing through advisory locks: an open without sharing excludes every other open.
    if (flock(fd, (share == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        int error = errno;
        close(fd);
        FailWith(error == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : host::ErrorFromErrno(error, *hostPath));
        return INVALID_HANDLE_VALUE;
    }
    // Cut only after the lock, so that a file another handle holds exclusively stays whole.
    if (truncate && S_ISREG(info.st_mode) && ftruncate(fd, 0) != 0) {
        int error = errno;
        close(fd);
        FailWithErrno(error, *hostPath);
        return INVALID_HANDLE_VALUE;
    }
    bool reportExisting = existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return Handles().Add(fd);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, DWORD* read, void*)
{
    if (read != nullptr) {
        *read = 0;
    }
    int fd = FileDescriptorOrError(file);
    if (fd < 0) {
        return FALSE;
    }
    DWORD done = 0;
    while (done < count) {
        ssize_t n = ::read(fd, static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            if (read != nullptr) {
                *read = done;
            }
            return FailWith(errno == EIO ? ERROR_READ_FAULT : host::ErrorFromErrno(errno));
        }
        if (n == 0) {
            break;
        }
        done += static_cast<DWORD>(n);
    }
    if (read != nullptr) {
        *read = done;
    }
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, DWORD* written, void*)
{
    if (written != nullptr) {
        *written = 0;
    }
    int fd = FileDescriptorOrError(file);
    if (fd < 0) {
        return FALSE;
    }
    DWORD done = 0;
    while (done < count) {
        ssize_t n = ::write(fd, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (written != nullptr) {
                *written = done;
            }
            return FailWith(n == 0 ? ERROR_DISK_FULL : host::ErrorFromErrno(errno));
        }
        done += static_cast<DWORD>(n);
    }
    if (written != nullptr) {
        *written = done;
    }
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method)
{
    int fd = FileDescriptorOrError(file);
    if (fd < 0) {
        return kInvalidSetFilePointer;
    }
    int64_t offset = distanceHigh != nullptr
                         ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                                static_cast<uint32_t>(distance))
                         : distance;
    int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
    if (whence < 0) {
        FailWith(ERROR_INVALID_PARAMETER);
        return kInvalidSetFilePointer;
    }
    off_t base = whence == SEEK_SET ? 0 : lseek(fd, 0, whence);
    if (base < 0 || base + offset < 0) {
        FailWith(base < 0 ? host::ErrorFromErrno(errno) : kErrorNegativeSeek);
        return kInvalidSetFilePointer;
    }
    off_t position = lseek(fd, base + offset, SEEK_SET);
    if (position < 0) {
        FailWithErrno(errno);
        return kInvalidSetFilePointer;
    }
    if (distanceHigh != nullptr) {
        *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
    } else if (position > 0xFFFFFFFE) {
        FailWith(ERROR_INVALID_PARAMETER);
        return kInvalidSetFilePointer;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh)
{
    int fd = FileDescriptorOrError(file);
    struct stat info;
    if (fd < 0) {
        return kInvalidFileSize;
    }
    if (fstat(fd, &info) != 0) {
        FailWithErrno(errno);
        return kInvalidFileSize;
    }
    uint64_t size = static_cast<uint64_t>(info.st_size);
    if (sizeHigh != nullptr) {
        *sizeHigh = static_cast<DWORD>(size >> 32);
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE file)
{
    int fd = FileDescriptorOrError(file);
    if (fd < 0) {
        return FALSE;
    }
    // Devices and pipes have nothing to flush.
    if (fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        return FailWithErrno(errno);
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE object)
{
    int fd = Handles().Take(object);
    if (fd < 0) {
        return FailWith(ERROR_INVALID_HANDLE);
    }
    if (close(fd) != 0 && errno != EINTR) {
        return FailWithErrno(errno);
    }
    return TRUE;
}
