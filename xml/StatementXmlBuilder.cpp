// The document frame of the statements file and its SYSTEM, BASIC and DATA sections.
#include "StatementXmlBuilder.h"

#include "SupportInfoFile.h"
#include "XmlLineWriter.h"

#include <Edition.h>
#include <ProgressDialog.h>
#include <afxfile.h>
#include <crtext.h>
#include <resource.h>

#include <cstring>
#include <vector>

namespace {

// KOMONSAKINAME holds at most this many bytes of a long name.
constexpr int CLIENT_NAME_LIMIT = 63;
// Names up to this length are written whole.
constexpr int SHORT_NAME_LENGTH = 30;

CString NumberText(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

// At most `limit` bytes of `text`, never half a double-byte character.
CString CutAtCharacter(const CString& text, int limit)
{
    int length = 0;
    while (length < text.GetLength()) {
        const int width = (_ismbblead(static_cast<unsigned char>(text[length])) && length + 1 < text.GetLength()) ? 2 : 1;
        if (length + width > limit)
            break;
        length += width;
    }
    return text.Left(length);
}

}  // namespace

void StatementXmlBuilder::PulseActivity()
{
    if (progress != nullptr)
        progress->PulseActivity();
}

void StatementXmlBuilder::AdvanceProgress(int first, int last)
{
    if (progress != nullptr)
        progress->AdvanceProgress(static_cast<short>(first), static_cast<short>(last));
}

int StatementXmlBuilder::BuildDocument(LPCSTR path, short functionId, const StDATAINFO* data)
{
    CFile file;
    XmlLineWriter writer;
    // A file that could not be opened shows up as the failed first write of SYSTEM.
    writer.Open(&file, path);
    writer.WriteRaw("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n");
    writer.WriteStartTag("REPORT", 0);
    PulseActivity();

    int result = 0;
    if (WriteSystem(writer, functionId)) {
        PulseActivity();
        if (data != nullptr && WriteBasic(writer, data)) {
            PulseActivity();
            if (WriteData(&writer, data)) {
                PulseActivity();
                result = 1;
            }
        }
    }
    writer.WriteEndTag("REPORT", 0);
    writer.Close();
    return result;
}

int StatementXmlBuilder::WriteSystem(XmlLineWriter& writer, short functionId)
{
    if (!writer.WriteStartTag("SYSTEM", 1))
        return 0;
    CString ownVersion;
    ownVersion.LoadString(IDS_PROGRAM_VERSION);
    const struct {
        LPCSTR element;
        CString text;
    } fixedLines[] = {
        {"GYOUMUPREFIX", "KT31"},
        {"VERSION", "1"},
        {"FUNCTIONID", NumberText(functionId)},
        {"CONNECTEDPROGRAMVER", ownVersion},
    };
    for (const auto& fixed : fixedLines) {
        if (!writer.WriteTextElement(fixed.element, fixed.text, 2))
            return 0;
        PulseActivity();
    }
    {
        SupportInfoFile support;
        CString name = support.ProductName();
        if (name.IsEmpty())
            name = theEdition.defaultProgramName;
        if (!writer.WriteTextElement("PROGRAMNAME", name, 2))
            return 0;
        PulseActivity();
        CString version = support.ProductVersion();
        if (version.IsEmpty())
            version = "21.00.0X";
        if (!writer.WriteTextElement("PROGRAMVER", version, 2))
            return 0;
        PulseActivity();
        if (!writer.WriteEndTag("SYSTEM", 1))
            return 0;
    }
    AdvanceProgress(progressBase, progressBase + 100);
    return 1;
}

int StatementXmlBuilder::WriteBasic(XmlLineWriter& writer, const StDATAINFO* data)
{
    if (!writer.WriteStartTag("BASIC", 1))
        return 0;
    if (!writer.WriteTextElement("KOMONSAKINAME", ClientName(data->companyName), 2))
        return 0;
    PulseActivity();
    if (!writer.WriteTextElement("JIGYOUNENDOFROM", NumberText(data->startDate), 2))
        return 0;
    PulseActivity();
    if (!writer.WriteTextElement("JIGYOUNENDOTO", NumberText(data->endDate), 2))
        return 0;
    PulseActivity();

    // The presentation codes: level, element, text (null for a start or end tag).
    const struct {
        int level;
        LPCSTR element;
        LPCSTR text;
        bool end;
    } pattern[] = {
        {2, "PATTERN", nullptr, false},
        {3, "BS", nullptr, false},
        {4, "CA", nullptr, false},
        {5, "Doubtful", "A2", false},
        {4, "CA", nullptr, true},
        {4, "PPE", nullptr, false},
        {5, "DepImp", "B4", false},
        {4, "PPE", nullptr, true},
        {4, "IOA", nullptr, false},
        {5, "Doubtful", "C2", false},
        {5, "DepImp", "D4", false},
        {4, "IOA", nullptr, true},
        {3, "BS", nullptr, true},
        {3, "PL", nullptr, false},
        {4, "Sales", "E3", false},
        {4, "Cos", data->costScheduleFlag != 0 ? "F3" : "F1", false},
        {4, "Sga", "G1", false},
        {3, "PL", nullptr, true},
        {2, "PATTERN", nullptr, true},
    };
    for (const auto& line : pattern) {
        const int written = line.text != nullptr ? writer.WriteTextElement(line.element, line.text, line.level)
                            : line.end           ? writer.WriteEndTag(line.element, line.level)
                                                 : writer.WriteStartTag(line.element, line.level);
        if (!written)
            return 0;
    }
    PulseActivity();
    if (!writer.WriteEndTag("BASIC", 1))
        return 0;
    AdvanceProgress(progressBase + 100, progressBase + 200);
    return 1;
}

int StatementXmlBuilder::WriteData(XmlLineWriter* writer, const StDATAINFO* data)
{
    if (writer == nullptr || data == nullptr)
        return 0;
    if (!writer->WriteStartTag("DATA", 1))
        return 0;
    if (!WriteBalanceSheet(*writer) || !WriteIncomeStatement(*writer))
        return 0;
    if (data->costScheduleFlag != 0 && !WriteCostSchedule(*writer))
        return 0;
    if (!WriteEquityStatement(*writer))
        return 0;
    if (notesPresent == 1 && !WriteNotesList(*writer))
        return 0;
    if (!writer->WriteEndTag("DATA", 1))
        return 0;
    AdvanceProgress(progressBase + 200, 1000);
    return 1;
}

CString StatementXmlBuilder::ClientName(LPCSTR companyName)
{
    const int length = static_cast<int>(strnlen(companyName, sizeof(StDATAINFO::companyName)));
    const CString name(companyName, length);
    // A half-width character takes at most two bytes in full width.
    const int capacity = 2 * (length + 1);
    std::vector<char> converted(static_cast<size_t>(capacity), '\0');
    // Should the mapping fail, the name is still the company's, only not widened.
    const CString fullWidth =
        LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH, name, length + 1, converted.data(), capacity) == 0
            ? name
            : CString(converted.data(), static_cast<int>(strnlen(converted.data(), converted.size())));
    if (length <= SHORT_NAME_LENGTH)
        return fullWidth;
    return CutAtCharacter(fullWidth, CLIENT_NAME_LIMIT);
}
