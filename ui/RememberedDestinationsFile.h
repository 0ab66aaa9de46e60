// The remembered-destinations file as text: one "KEYVALUE\n" entry per user and data set.
#pragma once

#include <afxstr.h>

class RememberedDestinationsFile {
public:
    explicit RememberedDestinationsFile(LPCSTR path) : path_(path) {}

    // FALSE when the file is missing, unreadable, a folder, or larger than any file this program writes.
    BOOL Load();
    BOOL Exists() const;
    // The text after `key` up to its line feed (a CR of a hand-edited line stays); FALSE when no
    // line starts with the key.
    BOOL FindValue(LPCSTR key, CString& value) const;
    // Drops the line of `key`, if any, and appends `line` (which ends with its own line feed).
    void PutLast(LPCSTR key, LPCSTR line);
    // Replaces the file at once through a temporary file beside it; the old file stays intact on failure.
    BOOL Store() const;

private:
    int FindLine(LPCSTR key) const;

    CString path_;
    CString text_;
};
