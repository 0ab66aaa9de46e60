// The engine's message display behind ClLgrConnect::DispMsg.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace lgr {

// Every ES_APRPACKAGENAME in a CP932 text becomes "Voransa"; a match never starts at a trail byte.
std::string ReplacePackageName(std::string_view cp932);

// MessageBoxA(owner, text with the package name filled in, caption, flags); a null text shows "".
int ShowEngineMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

}  // namespace lgr
