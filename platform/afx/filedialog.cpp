// CFileDialog: the save-file dialog over GetSaveFileNameA.
#include <cstdio>
#include <cstring>

#include "afxdlgs.h"
#include "afximpl.h"
#include "crtext.h"

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExt, LPCSTR fileName, DWORD flags, LPCSTR filter, CWnd* parent)
    : CDialog(0, parent), m_ofn{}, m_openFileDialog(openFileDialog), m_defaultExt(defaultExt)
{
    // "Xml Files (*.xml)|*.xml||" -> texts separated by NULs; a trail byte 0x7C is no separator.
    if (filter != nullptr) {
        for (const char* at = filter; *at != '\0'; ++at) {
            if (_ismbblead(static_cast<unsigned char>(*at)) && at[1] != '\0') {
                m_filter += *at++;
                m_filter += *at;
            } else {
                m_filter += *at == '|' ? '\0' : *at;
            }
        }
        m_filter += '\0';
    }
    if (fileName != nullptr) {
        _mbsnbcpy(reinterpret_cast<unsigned char*>(m_fileBuffer), reinterpret_cast<const unsigned char*>(fileName),
                  sizeof m_fileBuffer - 1);
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = filter != nullptr ? m_filter.c_str() : nullptr;
    m_ofn.lpstrFile = m_fileBuffer;
    m_ofn.nMaxFile = sizeof m_fileBuffer;
    m_ofn.lpstrDefExt = defaultExt != nullptr ? static_cast<LPCSTR>(m_defaultExt) : nullptr;
    m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal()
{
    if (m_openFileDialog) {
        std::fprintf(stderr, "%s: the open-file dialog is not available\n", AfxAppTitle());
        return IDCANCEL;
    }
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    return ::GetSaveFileNameA(&m_ofn) ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile);
}
