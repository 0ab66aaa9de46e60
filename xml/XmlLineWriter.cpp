// Line shapes, escaping and write-failure handling of the statements file.
#include "XmlLineWriter.h"

#include <cstring>

namespace {

void AppendEscapedTo(std::string& out, LPCSTR text)
{
    if (text == nullptr)
        return;
    for (const char* p = text; *p != '\0'; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '>': out += "&gt;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += *p; break;
        }
    }
}

}  // namespace

XmlLineWriter::~XmlLineWriter()
{
    Close();
}

short XmlLineWriter::Open(CFile* target, LPCSTR newPath)
{
    if (target == nullptr || newPath == nullptr)
        return -1;
    if (!target->Open(newPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return -1;
    file = target;
    path = newPath;
    failed = false;
    return 0;
}

short XmlLineWriter::Close()
{
    if (file != nullptr && !failed) {
        try {
            file->Close();
        } catch (CFileException* e) {
            file->Abort();
            e->Delete();
        }
    }
    file = nullptr;
    failed = false;
    return 0;
}

int XmlLineWriter::WriteBytes(const char* bytes, size_t count)
{
    if (file == nullptr || failed)
        return 0;
    try {
        file->Write(bytes, static_cast<UINT>(count));
    } catch (CFileException* e) {
        file->Abort();
        e->Delete();
        failed = true;
        return 0;
    }
    return 1;
}

int XmlLineWriter::WriteRaw(LPCSTR text)
{
    return WriteBytes(text != nullptr ? text : "", text != nullptr ? std::strlen(text) : 0);
}

void XmlLineWriter::BeginLine(int indent)
{
    line.clear();
    if (indent > 0)
        line.append(static_cast<size_t>(indent), '\t');
}

void XmlLineWriter::AppendAttributes(LPCSTR firstName, LPCSTR firstValue, LPCSTR secondName, LPCSTR secondValue)
{
    if (firstName == nullptr || firstValue == nullptr)
        return;
    line += ' ';
    line += firstName;
    line += "=\"";
    AppendEscapedTo(line, firstValue);
    line += '"';
    if (secondName == nullptr || secondValue == nullptr)
        return;
    line += ' ';
    line += secondName;
    line += "=\"";
    AppendEscapedTo(line, secondValue);
    line += '"';
}

int XmlLineWriter::WriteTextElement(LPCSTR name, LPCSTR text, int indent, LPCSTR firstName, LPCSTR firstValue,
                                    LPCSTR secondName, LPCSTR secondValue)
{
    BeginLine(indent);
    line += '<';
    line += name;
    AppendAttributes(firstName, firstValue, secondName, secondValue);
    line += '>';
    AppendEscapedTo(line, text);
    line += "</";
    line += name;
    line += ">\r\n";
    return WriteBytes(line.data(), line.size());
}

int XmlLineWriter::WriteStartTag(LPCSTR name, int indent, LPCSTR firstName, LPCSTR firstValue, LPCSTR secondName,
                                 LPCSTR secondValue)
{
    BeginLine(indent);
    line += '<';
    line += name;
    AppendAttributes(firstName, firstValue, secondName, secondValue);
    line += ">\r\n";
    return WriteBytes(line.data(), line.size());
}

int XmlLineWriter::WriteEndTag(LPCSTR name, int indent)
{
    BeginLine(indent);
    line += "</";
    line += name;
    line += ">\r\n";
    return WriteBytes(line.data(), line.size());
}

CString XmlLineWriter::EscapeText(LPCSTR text)
{
    std::string escaped;
    AppendEscapedTo(escaped, text);
    return CString(escaped.c_str(), static_cast<int>(escaped.size()));
}
