// Writes the statements file one line at a time: indentation, attributes, escaping and CR LF.
#pragma once

#include <afxfile.h>
#include <afxstr.h>

#include <string>

// Every write returns 1 when written and 0 when it failed. After the first failed write the file
// has been closed and every later write returns 0 too; Close stays safe. Texts and attribute
// values of any length are written whole.
class XmlLineWriter {
public:
    XmlLineWriter() = default;
    ~XmlLineWriter();
    XmlLineWriter(const XmlLineWriter&) = delete;
    XmlLineWriter& operator=(const XmlLineWriter&) = delete;

    // Creates or empties the file for exclusive writing. 0, or -1 when the file object or the
    // path is missing or the file cannot be opened; the writer then has no file and every write
    // fails, so a caller that looks only at its writes still learns of it.
    short Open(CFile* file, LPCSTR path);
    // Closes the file if one is open. Always 0.
    short Close();

    // The text exactly as given: no indentation, no escaping, no line end added.
    int WriteRaw(LPCSTR text);
    // TABs, <name attrs>escaped text</name>, CR LF. An attribute is written when its name and
    // value are both given (an empty value counts); the second only when the first is.
    int WriteTextElement(LPCSTR name, LPCSTR text, int indent,
                         LPCSTR firstName = nullptr, LPCSTR firstValue = nullptr,
                         LPCSTR secondName = nullptr, LPCSTR secondValue = nullptr);
    // TABs, <name attrs>, CR LF.
    int WriteStartTag(LPCSTR name, int indent,
                      LPCSTR firstName = nullptr, LPCSTR firstValue = nullptr,
                      LPCSTR secondName = nullptr, LPCSTR secondValue = nullptr);
    // TABs, </name>, CR LF.
    int WriteEndTag(LPCSTR name, int indent);

    // & > < " ' as entity references; every other byte unchanged. The five characters lie below
    // 0x40 and are never the trail byte of a double-byte character, so a byte walk is safe.
    static CString EscapeText(LPCSTR text);

    const CString& Path() const { return path; }

private:
    void BeginLine(int indent);
    void AppendAttributes(LPCSTR firstName, LPCSTR firstValue, LPCSTR secondName, LPCSTR secondValue);
    int WriteBytes(const char* bytes, size_t count);

    CFile* file = nullptr;     // not owned
    CString path;
    bool failed = false;       // a write failed: the file is closed but still referred to
    std::string line;          // the line being assembled, reused so that lines do not allocate
};
