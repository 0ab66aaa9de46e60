// What the host knows about a file, for the run-time's _stat and _access (whose struct _stat
// cannot share a translation unit with <sys/stat.h>: its st_atime is a macro there).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace host {

struct FileStatus {
    bool directory = false;
    bool regular = false;
    bool anyWriteBit = false;     // some write permission bit is set
    bool ownerExecute = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t links = 0;
    uint64_t specialDevice = 0;
    int64_t size = 0;
    int64_t accessed = 0;
    int64_t modified = 0;
    int64_t changed = 0;
};

std::optional<FileStatus> StatusOf(const std::string& hostPath);
// Write access as an unprivileged user meets it: the superuser passes access(2) for every
// folder, yet a folder without write bits or on a read-only mount is read-only to it too.
bool IsWritable(const std::string& hostPath);
bool IsReadable(const std::string& hostPath);

}  // namespace host
