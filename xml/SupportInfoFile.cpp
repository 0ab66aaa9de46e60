// Loading and key lookup of "SUPPORT.INF", kept within its 30000-byte buffer.
#include "SupportInfoFile.h"

#include <afxfile.h>
#include <afxwin.h>
#include <crtext.h>

#include <cstring>

namespace {

constexpr BYTE UNFILLED = 0xFF;   // marks buffer space that the file did not fill
constexpr BYTE END_OF_FILE_MARK = 0x1A;

// Keys whose values run over several lines, up to the line break before the next key.
const char* const MULTI_LINE_KEYS[] = {"[=お問い合わせ内容=]", "[=症状が再現する手順や条件=]"};

}  // namespace

SupportInfoFile::~SupportInfoFile()
{
    if (bufferHandle != nullptr) {
        GlobalUnlock(bufferHandle);
        GlobalFree(bufferHandle);
    }
}

CString SupportInfoFile::ProductName()
{
    return Lookup("[=製品名=]");
}

CString SupportInfoFile::ProductVersion()
{
    return Lookup("[=製品ﾊﾞｰｼﾞｮﾝ=]");
}

bool SupportInfoFile::Load()
{
    if (bufferHandle != nullptr)
        return true;
    bufferHandle = GlobalAlloc(GHND, BUFFER_SIZE);
    if (bufferHandle == nullptr) {
        AfxMessageBox("ﾒﾓﾘが不足しています。", MB_OK);
        return false;
    }
    data = static_cast<BYTE*>(GlobalLock(bufferHandle));
    std::memset(data, UNFILLED, BUFFER_SIZE);

    CFile file;
    if (!file.Open(folder + "SUPPORT.INF", CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return true;
    try {
        UINT filled = 0;
        while (filled < BUFFER_SIZE) {
            UINT got = file.Read(data + filled, BUFFER_SIZE - filled);
            if (got == 0)
                break;
            filled += got;
        }
        file.Close();
    } catch (CFileException* e) {
        // A file that cannot be read holds nothing usable.
        file.Abort();
        e->Delete();
        std::memset(data, UNFILLED, BUFFER_SIZE);
        return true;
    }
    PrepareText();
    return true;
}

// Makes every line a zero-terminated text, then lets the multi-line values keep their inner breaks.
void SupportInfoFile::PrepareText()
{
    for (UINT i = 0; i < BUFFER_SIZE; ++i) {
        if (data[i] == '\r' && i + 1 < BUFFER_SIZE && data[i + 1] == '\n') {
            data[i] = 0;
            data[i + 1] = 0;
            ++i;
        } else if (data[i] == END_OF_FILE_MARK) {
            data[i] = 0;
        }
    }
    for (const char* key : MULTI_LINE_KEYS) {
        const UINT keyLength = static_cast<UINT>(std::strlen(key));
        for (UINT at = FindKey(key, 0); at < BUFFER_SIZE; at = FindKey(key, at + keyLength))
            JoinValueLines(at + keyLength);
    }
}

// From the end of a multi-line key: line breaks become CR LF again, and the value ends at the
// unfilled space or before the line break that precedes the next key. It never reaches back
// into its own key.
void SupportInfoFile::JoinValueLines(UINT from)
{
    UINT i = from;
    while (i < BUFFER_SIZE) {
        if (data[i] == UNFILLED) {
            data[i] = 0;
            return;
        }
        if (data[i] == '[' && i + 1 < BUFFER_SIZE && data[i + 1] == '=') {
            for (UINT k = (i >= from + 2 ? i - 2 : from); k < i; ++k)
                data[k] = 0;
            return;
        }
        if (data[i] == 0 && i + 1 < BUFFER_SIZE && data[i + 1] == 0) {
            data[i] = '\r';
            data[i + 1] = '\n';
            i += 2;
            continue;
        }
        i += (_ismbblead(data[i]) && i + 1 < BUFFER_SIZE) ? 2 : 1;
    }
}

UINT SupportInfoFile::FindKey(LPCSTR key, UINT from) const
{
    const UINT keyLength = static_cast<UINT>(std::strlen(key));
    UINT i = from;
    while (i + keyLength <= BUFFER_SIZE) {
        if (std::memcmp(data + i, key, keyLength) == 0)
            return i;
        i += (_ismbblead(data[i]) && i + 1 < BUFFER_SIZE) ? 2 : 1;
    }
    return BUFFER_SIZE;
}

CString SupportInfoFile::Lookup(LPCSTR key)
{
    if (!Load())
        return CString();
    const UINT at = FindKey(key, 0);
    if (at >= BUFFER_SIZE)
        return CString();
    UINT end = at + static_cast<UINT>(std::strlen(key));
    const UINT start = end;
    while (end < BUFFER_SIZE && data[end] != 0 && data[end] != UNFILLED)
        ++end;
    return CString(reinterpret_cast<const char*>(data + start), static_cast<int>(end - start));
}
