// Un-escapes the other-notes text and cuts it into its CR LF lines.
#include "OtherNotesLines.h"

void SplitOtherNotesLines(CString text, OtherNotesLines& lines)
{
    lines.RemoveAll();
    // "&amp;" goes first, so "&amp;lt;" ends as "<".
    static const char* const entities[][2] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&apos;", "'"}, {"&quot;", "\""},
    };
    for (const auto& entity : entities)
        text.Replace(entity[0], entity[1]);

    if (text.Find("\r\n") < 0) {
        if (!text.IsEmpty())
            lines.Add(text);
        return;
    }
    if (text.Right(2) != "\r\n")
        text += "\r\n";
    // Every stretch up to a CR LF is a line, empty ones too: the notes count lines by position.
    int start = 0;
    for (int end = text.Find("\r\n"); end >= 0; end = text.Find("\r\n", start)) {
        lines.Add(text.Mid(start, end - start));
        start = end + 2;
    }
}
