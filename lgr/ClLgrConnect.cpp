// LgrLink: the connection to the books, with every call written to the transcript.
#include <LgrLink.h>

#include <string>
#include <string_view>

#include "Books.h"
#include "EngineMessage.h"
#include "LgrStatus.h"
#include "host/Codepage.h"
#include "host/Transcript.h"

namespace {

long Logged(std::string_view call, long status) {
    host::LogEvent("engine", host::JsonObject().Utf8("call", call).Int("status", status));
    return status;
}

std::string OpenFailureText(long status, const std::string& hostPath) {
    std::string text = "会計データを開けません。\n\n";
    text += host::Utf8ToCp932(hostPath);
    if (status == lgr::kBooksMissing)
        text += "\n\n会計データのファイルが見つかりません。";
    else if (status == lgr::kBooksLocked)
        text += "\n\n会計データは他のプログラムが使用中です。しばらくしてからやり直してください。";
    else
        text += "\n\n会計データのファイルを読み込めないか、会計データの形式ではありません。";
    return text;
}

}  // namespace

ClLgrConnect* ClLgrConnect::Inst() {
    static ClLgrConnect connect;
    return &connect;
}

void ClLgrConnect::SetAppType(int edition) {
    m_appType = edition;
    host::LogEvent("engine", host::JsonObject().Utf8("call", "SetAppType").Int("edition", edition).Int("status", 0));
}

void ClLgrConnect::SetUseDataType(int dataType) { m_useDataType = dataType; }

long ClLgrConnect::Initiate() {
    lgr::Books& books = lgr::Books::Instance();
    long status = books.Open(lgr::BooksHostPath());
    if (status != 0) {
        const std::string text = OpenFailureText(status, books.HostPath());
        DispMsg(m_hOwnerWnd, text.c_str(), m_pszMsgCaption, MB_OK | MB_ICONEXCLAMATION);
        return Logged("Initiate", status);
    }
    status = books.Faults().Check("Initiate");
    if (status != 0) books.Close();
    return Logged("Initiate", status);
}

long ClLgrConnect::ExpSysLink() {
    lgr::Books& books = lgr::Books::Instance();
    return Logged("ExpSysLink", books.IsOpen() ? books.Faults().Check("ExpSysLink") : lgr::kNotConnected);
}

int ClLgrConnect::DispMsg(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    return lgr::ShowEngineMessage(owner, text, caption != nullptr ? caption : m_pszMsgCaption, flags);
}

long ClLgrConnect::LogOut() { return Logged("LogOut", 0); }

long ClLgrConnect::Terminate() {
    lgr::Books::Instance().Close();
    return Logged("Terminate", 0);
}

long ClLgrConnect::Release() { return Logged("Release", 0); }
