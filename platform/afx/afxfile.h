// CFile and its exceptions. Failures raise CFileException* (the catcher calls Delete()),
// except Open, which reports through its result and the optional exception object.
#pragma once

#include "afxstr.h"

class CException {
public:
    virtual ~CException() = default;
    void Delete() { delete this; }
};

class CFileException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;   // the Win32 error code
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCSTR fileName = nullptr);

struct CFileStatus {
    int64_t m_size = 0;
    BYTE m_attribute = 0;   // FILE_ATTRIBUTE_* values
    char m_szFullName[MAX_PATH] = {};
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CFile();
    CFile(LPCSTR fileName, UINT openFlags);   // raises on failure
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE on failure, with `error` (when given) describing it; never raises.
    virtual BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();   // closes without raising
    virtual uint64_t GetLength() const;
    CString GetFilePath() const { return m_strFileName; }

    static void Rename(LPCSTR oldName, LPCSTR newName);
    static void Remove(LPCSTR fileName);
    static BOOL GetStatus(LPCSTR fileName, CFileStatus& status);

    HANDLE m_hFile;

protected:
    CString m_strFileName;
};
