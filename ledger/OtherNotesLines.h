// The other-notes text, split into lines without their CR LF; empty lines kept.
#pragma once

#include <afxstr.h>
#include <afxtempl.h>

typedef CArray<CString, const CString&> OtherNotesLines;

// Un-escapes the five XML entities and replaces `lines` with the text's CR LF lines.
void SplitOtherNotesLines(CString text, OtherNotesLines& lines);
