// Common dialogs: the save-file dialog.
#pragma once

#include "afxwin.h"

class CFileDialog : public CDialog {
public:
    // `filter` uses '|' between texts and ends with "||", as the framework's filters do.
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExt = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
                CWnd* parent = nullptr);

    INT_PTR DoModal() override;
    CString GetPathName() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_openFileDialog;
    CString m_defaultExt;
    std::string m_filter;    // with its NUL separators
    char m_fileBuffer[MAX_PATH] = {};
};
