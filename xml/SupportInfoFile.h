// Reader of the bookkeeping package's support information file "SUPPORT.INF".
#pragma once

#include <afxstr.h>
#include <windows.h>

// The file is a CP932 text of lines, each a key such as "[=製品名=]" followed by its value. Only
// its first 30000 bytes are read, into a global-memory buffer that lives as long as the object.
class SupportInfoFile {
public:
    static constexpr UINT BUFFER_SIZE = 30000;

    SupportInfoFile() = default;
    virtual ~SupportInfoFile();
    SupportInfoFile(const SupportInfoFile&) = delete;
    SupportInfoFile& operator=(const SupportInfoFile&) = delete;

    // The value of "[=製品名=]" and "[=製品ﾊﾞｰｼﾞｮﾝ=]": the rest of the key's line, or empty when
    // the file, the key or the memory is missing. A lookup that finds no buffer loads the file,
    // so a shortage of memory is reported once per lookup.
    CString ProductName();
    CString ProductVersion();

    // Put before "SUPPORT.INF"; empty reads the file from the current directory.
    CString folder;

private:
    bool Load();
    void PrepareText();
    void JoinValueLines(UINT from);
    CString Lookup(LPCSTR key);
    // The start of the first occurrence of `key` at a character boundary at or after `from`
    // (itself a boundary), or BUFFER_SIZE.
    UINT FindKey(LPCSTR key, UINT from) const;

    HGLOBAL bufferHandle = nullptr;
    BYTE* data = nullptr;
};
