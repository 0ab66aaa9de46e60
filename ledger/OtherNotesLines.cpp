// Un-escapes the other-notes text and cuts it into its CR LF lines.
#include "OtherNotesLines.h"

#include <crtext.h>

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
    // One pass over the characters, stepping over double-byte ones as a character-wise search
    // does; a search per line from the text's start made long notes texts quadratic.
    LPCSTR bytes = text;
    const int length = text.GetLength();
    int start = 0;
    for (int at = 0; at < length;) {
        if (bytes[at] == '\r' && at + 1 < length && bytes[at + 1] == '\n') {
            lines.Add(text.Mid(start, at - start));
            at += 2;
            start = at;
        } else {
            at += _ismbblead(static_cast<unsigned char>(bytes[at])) && at + 1 < length ? 2 : 1;
        }
    }
}
