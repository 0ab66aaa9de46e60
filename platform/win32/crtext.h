// The Microsoft C run-time functions the system calls beyond the standard library
// (on Windows: <mbctype.h>, <mbstring.h>, <stdlib.h>, <io.h>, <sys/stat.h>, <share.h>).
// Multibyte functions use the tables of code page 932; paths go through the drive map.
#pragma once

#include <cstddef>
#include <cstdint>

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

int _ismbblead(unsigned int c);
int _ismbbtrail(unsigned int c);
// Copies at most `count` bytes, never the lead byte of a character without its trail byte;
// pads with NUL like strncpy.
unsigned char* _mbsnbcpy(unsigned char* destination, const unsigned char* source, size_t count);
// "C:\out\a.xml" -> drive "C:", dir "\out\", name "a", ext ".xml"; any part may be null.
void _splitpath(const char* path, char* drive, char* dir, char* name, char* ext);

// Modes: 0 exists, 2 writable, 4 readable, 6 readable and writable. 0 when allowed, -1 otherwise.
int _access(const char* path, int mode);

#define _S_IFMT 0xF000
#define _S_IFDIR 0x4000
#define _S_IFREG 0x8000
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080

// <sys/stat.h> makes st_atime, st_mtime and st_ctime macros; keep them out of these names so
// that both headers can meet in one translation unit.
#pragma push_macro("st_atime")
#pragma push_macro("st_mtime")
#pragma push_macro("st_ctime")
#undef st_atime
#undef st_mtime
#undef st_ctime
struct _stat {
    unsigned int st_dev;
    unsigned short st_ino;
    unsigned short st_mode;
    short st_nlink;
    short st_uid;
    short st_gid;
    unsigned int st_rdev;
    int64_t st_size;
    int64_t st_atime;
    int64_t st_mtime;
    int64_t st_ctime;
};
#pragma pop_macro("st_atime")
#pragma pop_macro("st_mtime")
#pragma pop_macro("st_ctime")

// 0 and `status` filled when the path names a file or folder, -1 otherwise.
int _stat(const char* path, struct _stat* status);
