// The C run-time's access test and file status over the drive map.
#include <cerrno>

#include "crtext.h"
#include "host/DriveMap.h"
#include "host/FileStatus.h"

int _access(const char* path, int mode)
{
    if (path == nullptr || (mode != 0 && mode != 2 && mode != 4 && mode != 6)) {
        errno = EINVAL;
        return -1;
    }
    std::optional<std::string> hostPath = host::ToHostPath(path);
    if (!hostPath || !host::StatusOf(*hostPath)) {
        errno = ENOENT;
        return -1;
    }
    if (((mode & 2) != 0 && !host::IsWritable(*hostPath)) || ((mode & 4) != 0 && !host::IsReadable(*hostPath))) {
        errno = EACCES;
        return -1;
    }
    return 0;
}

int _stat(const char* path, struct _stat* status)
{
    std::optional<std::string> hostPath = path != nullptr ? host::ToHostPath(path) : std::nullopt;
    std::optional<host::FileStatus> info = hostPath ? host::StatusOf(*hostPath) : std::nullopt;
    if (!info || status == nullptr) {
        errno = ENOENT;
        return -1;
    }
    constexpr unsigned characterDevice = 0x2000;
    constexpr unsigned execute = 0x0040;
    unsigned kind = info->directory ? _S_IFDIR : info->regular ? _S_IFREG : characterDevice;
    // The owner's bits stand for everyone, as the Windows run-time reports them.
    unsigned user = _S_IREAD | (info->anyWriteBit ? _S_IWRITE : 0) | (info->directory || info->ownerExecute ? execute : 0);
    *status = {};
    status->st_dev = static_cast<unsigned int>(info->device);
    status->st_ino = static_cast<unsigned short>(info->inode);
    status->st_mode = static_cast<unsigned short>(kind | user | (user >> 3) | (user >> 6));
    status->st_nlink = static_cast<short>(info->links);
    status->st_rdev = static_cast<unsigned int>(info->specialDevice);
    status->st_size = info->directory ? 0 : info->size;
    status->st_atime = info->accessed;
    status->st_mtime = info->modified;
    status->st_ctime = info->changed;
    return 0;
}
