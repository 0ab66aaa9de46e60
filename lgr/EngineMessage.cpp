// The engine's message display behind ClLgrConnect::DispMsg.
#include "EngineMessage.h"

#include "TextFields.h"

namespace lgr {

namespace {

constexpr std::string_view kPlaceholder = "ES_APRPACKAGENAME";
constexpr std::string_view kPackageName = "Voransa";

}  // namespace

std::string ReplacePackageName(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size());
    size_t i = 0;
    while (i < cp932.size()) {
        if (cp932.substr(i, kPlaceholder.size()) == kPlaceholder) {
            out += kPackageName;
            i += kPlaceholder.size();
        } else if (IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) {
            out.append(cp932.substr(i, 2));
            i += 2;
        } else {
            out += cp932[i++];
        }
    }
    return out;
}

int ShowEngineMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    const std::string shown = ReplacePackageName(text == nullptr ? "" : text);
    return MessageBoxA(owner, shown.c_str(), caption, flags);
}

}  // namespace lgr
