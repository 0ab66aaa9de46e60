// A message box in the terminal: icon marker, text with its line breaks, buttons; keys choose one.
#include "MessageBoxView.h"

#include <algorithm>

#include "DialogPainter.h"
#include "windows.h"

namespace tui {

namespace {

constexpr int kMarkerWidth = 4;   // "[!] "
constexpr int kButtonGap = 2;

std::vector<Glyph> Shown(const std::string& cp932) { return SplitGlyphs(StripMnemonic(cp932)); }

int ButtonWidth(const std::string& label) { return DisplayWidth(Shown(label)) + 4; }

}  // namespace

MessageBoxView::MessageBoxView(const host::UiMessageBox& box) : box_(box)
{
    switch (box.iconFlags & MB_ICONMASK) {
    case MB_ICONHAND: marker_ = "[x]"; break;
    case MB_ICONQUESTION: marker_ = "[?]"; break;
    case MB_ICONEXCLAMATION: marker_ = "[!]"; break;
    case MB_ICONASTERISK: marker_ = "[i]"; break;
    default: break;
    }
    switch (box.buttons) {
    case host::UiButtons::Ok: buttons_ = {{IDOK, "OK", 0}}; break;
    case host::UiButtons::OkCancel: buttons_ = {{IDOK, "OK", 0}, {IDCANCEL, "キャンセル", 0}}; break;
    case host::UiButtons::YesNo: buttons_ = {{IDYES, "はい(&Y)", 'Y'}, {IDNO, "いいえ(&N)", 'N'}}; break;
    case host::UiButtons::YesNoCancel:
        buttons_ = {{IDYES, "はい(&Y)", 'Y'}, {IDNO, "いいえ(&N)", 'N'}, {IDCANCEL, "キャンセル", 0}};
        break;
    }
}

bool MessageBoxView::Has(int id) const
{
    return std::any_of(buttons_.begin(), buttons_.end(), [id](const Button& b) { return b.id == id; });
}

int MessageBoxView::ButtonsWidth() const
{
    int width = 0;
    for (const Button& button : buttons_) width += ButtonWidth(button.label) + kButtonGap;
    return width - kButtonGap;
}

std::vector<std::vector<Glyph>> MessageBoxView::WrappedLines(int maxWidth) const
{
    std::vector<std::vector<Glyph>> lines(1);
    int width = 0;
    for (const Glyph& glyph : SplitGlyphs(box_.text)) {
        char byte = glyph.byteLength == 1 ? box_.text[glyph.byteOffset] : 0;
        if (byte == '\r') continue;
        if (byte == '\n') {
            lines.emplace_back();
            width = 0;
            continue;
        }
        if (width + glyph.width > maxWidth && width > 0) {
            lines.emplace_back();
            width = 0;
        }
        lines.back().push_back(glyph);
        width += glyph.width;
    }
    return lines;
}

int MessageBoxView::NeededWidth() const
{
    int text = 0;
    for (const auto& line : WrappedLines(1 << 20)) text = std::max(text, DisplayWidth(line));
    int caption = DisplayWidth(SplitGlyphs(box_.caption)) + 4;
    int content = std::max({(marker_.empty() ? 0 : kMarkerWidth) + text, ButtonsWidth(), caption});
    return content + 4;   // a blank column inside each side of the frame
}

int MessageBoxView::NeededHeight() const
{
    return static_cast<int>(WrappedLines(1 << 20).size()) + 5;
}

bool MessageBoxView::Paint(Canvas& canvas) const
{
    int minimum = std::max(ButtonsWidth(), kMarkerWidth + 8) + 4;
    if (canvas.Width() < minimum) return false;
    int clientWidth = std::min(NeededWidth(), canvas.Width()) - 2;
    int textWidth = clientWidth - 2 - (marker_.empty() ? 0 : kMarkerWidth);
    std::vector<std::vector<Glyph>> lines = WrappedLines(textWidth);
    int clientHeight = static_cast<int>(lines.size()) + 3;
    DialogPlacement placement = PlaceFrame(clientWidth, clientHeight, canvas.Width(), canvas.Height());
    if (!placement.fits) return false;
    PaintFrame(canvas, placement, box_.caption, true);
    const CellRect& client = placement.client;
    int textCol = client.col + 1;
    if (!marker_.empty()) {
        canvas.PutUtf8(textCol, client.row + 1, marker_, kBold, client);
        textCol += kMarkerWidth;
    }
    for (size_t i = 0; i < lines.size(); ++i)
        canvas.PutGlyphs(textCol, client.row + 1 + static_cast<int>(i), lines[i], kNormal, client);
    int row = client.row + client.height - 1;
    int col = client.col + (client.width - ButtonsWidth()) / 2;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        uint8_t attr = static_cast<int>(i) == focus_ ? kReverse : kNormal;
        int start = col;
        col = canvas.PutUtf8(col, row, "[ ", attr, client);
        col = canvas.PutGlyphs(col, row, Shown(buttons_[i].label), attr, client);
        col = canvas.PutUtf8(col, row, " ]", attr, client);
        if (static_cast<int>(i) == focus_) {
            canvas.cursorCol = start + 2;
            canvas.cursorRow = row;
        }
        col += kButtonGap;
    }
    return true;
}

int MessageBoxView::HandleKey(const KeyInput& key)
{
    if (key.kind == KeyInput::kClosed) return SafeAnswer();
    int count = static_cast<int>(buttons_.size());
    if (key.kind == KeyInput::kText && key.utf8.size() == 1) {
        unsigned letter = static_cast<unsigned char>(key.utf8[0]) & ~0x20u;
        for (const Button& button : buttons_)
            if (button.mnemonic != 0 && button.mnemonic == letter) return button.id;
        return 0;
    }
    if (key.kind != KeyInput::kKey) return 0;
    switch (key.vk) {
    case VK_RETURN:
    case VK_SPACE: return buttons_[focus_].id;
    case VK_ESCAPE:
        if (Has(IDCANCEL)) return IDCANCEL;
        return count == 1 ? buttons_[0].id : 0;
    case VK_TAB: focus_ = (focus_ + (key.shift ? count - 1 : 1)) % count; return 0;
    case VK_RIGHT:
    case VK_DOWN: focus_ = (focus_ + 1) % count; return 0;
    case VK_LEFT:
    case VK_UP: focus_ = (focus_ + count - 1) % count; return 0;
    default: break;
    }
    for (const Button& button : buttons_)
        if (button.mnemonic != 0 && button.mnemonic == key.vk) return button.id;
    return 0;
}

int MessageBoxView::SafeAnswer() const
{
    if (Has(IDCANCEL)) return IDCANCEL;
    if (Has(IDNO)) return IDNO;
    return IDOK;
}

}  // namespace tui
