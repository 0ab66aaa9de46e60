// Internals shared by the framework's sources: the handle map and the application's name.
#pragma once

#include <exception>

#include "afxwin.h"

// The object attached to `window`, or nullptr (permanent wrappers are not attached).
CWnd* AfxAttachedWindow(HWND window);
// Objects whose windows were destroyed lose their handles.
void AfxForgetDeadWindows();
// The caption of the application's message boxes: m_pszAppName, or an empty text.
LPCSTR AfxAppTitle();
// Runs a handler at the border of a dialog: nothing it throws goes further. False when it threw.
template <typename Handler>
bool AfxGuard(const char* where, Handler&& handler);
void AfxReportFailure(const char* where, const char* what);

template <typename Handler>
bool AfxGuard(const char* where, Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (CException* failure) {
        AfxReportFailure(where, "a framework exception");
        failure->Delete();
    } catch (const std::exception& failure) {
        AfxReportFailure(where, failure.what());
    } catch (...) {
        AfxReportFailure(where, "an unknown exception");
    }
    return false;
}
