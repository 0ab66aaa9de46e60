// File status and access tests on host paths, with the superuser's privileges left out.
#include "host/FileStatus.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace host {

std::optional<FileStatus> StatusOf(const std::string& hostPath)
{
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0) {
        return std::nullopt;
    }
    FileStatus status;
    status.directory = S_ISDIR(info.st_mode);
    status.regular = S_ISREG(info.st_mode);
    status.anyWriteBit = (info.st_mode & 0222) != 0;
    status.ownerExecute = (info.st_mode & S_IXUSR) != 0;
    status.device = info.st_dev;
    status.inode = info.st_ino;
    status.links = info.st_nlink;
    status.specialDevice = info.st_rdev;
    status.size = info.st_size;
    status.accessed = info.st_atim.tv_sec;
    status.modified = info.st_mtim.tv_sec;
    status.changed = info.st_ctim.tv_sec;
    return status;
}

bool IsWritable(const std::string& hostPath)
{
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0 || access(hostPath.c_str(), W_OK) != 0) {
        return false;
    }
    struct statvfs volume;
    if (statvfs(hostPath.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0) {
        return false;
    }
    return geteuid() != 0 || (info.st_mode & 0222) != 0;
}

bool IsReadable(const std::string& hostPath)
{
    struct stat info;
    return stat(hostPath.c_str(), &info) == 0 && access(hostPath.c_str(), R_OK) == 0 &&
           (geteuid() != 0 || (info.st_mode & 0444) != 0);
}

}  // namespace host
