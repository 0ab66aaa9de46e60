// Draws a dialog snapshot into the canvas: frame and caption, then the controls in template order.
#include "DialogPainter.h"

#include <algorithm>
#include <cstdio>

#include "Utf8Literal.h"
#include "windows.h"

namespace tui {

namespace {

// Moves a box that is too wide for its text so that it stays inside the client area.
CellRect WidenInside(CellRect box, int neededWidth, const CellRect& client)
{
    if (box.width >= neededWidth) return box;
    box.width = std::min(neededWidth, client.width);
    int right = client.col + client.width;
    if (box.col + box.width > right) box.col = right - box.width;
    return box;
}

std::vector<Glyph> Label(const std::string& cp932) { return SplitGlyphs(StripMnemonic(cp932)); }

}  // namespace

void PaintFrame(Canvas& canvas, const DialogPlacement& placement, const std::string& captionCp932, bool active)
{
    uint8_t attr = active ? kNormal : kDim;
    canvas.Fill(placement.frame, " ", kNormal);
    canvas.Box(placement.frame, attr);
    if (captionCp932.empty()) return;
    CellRect titleClip{placement.frame.col + 1, placement.frame.row, placement.frame.width - 2, 1};
    int col = canvas.PutUtf8(titleClip.col, titleClip.row, " ", attr, titleClip);
    col = canvas.PutGlyphs(col, titleClip.row, SplitGlyphs(captionCp932), active ? kBold : kDim, titleClip);
    canvas.PutUtf8(col, titleClip.row, " ", attr, titleClip);
}

void PaintSizeNotice(Canvas& canvas, int neededWidth, int neededHeight)
{
    canvas.Clear();
    char line[96];
    std::snprintf(line, sizeof line, "Enlarge the terminal to at least %d x %d", neededWidth, neededHeight);
    std::string text = line;
    int col = std::max(0, (canvas.Width() - static_cast<int>(text.size())) / 2);
    int row = canvas.Height() / 2;
    CellRect all{0, 0, canvas.Width(), canvas.Height()};
    if (static_cast<int>(text.size()) > canvas.Width()) {
        // Too narrow even for the sentence: the two numbers still say what is needed.
        std::snprintf(line, sizeof line, "%dx%d", neededWidth, neededHeight);
        text = line;
        col = 0;
    }
    canvas.PutUtf8(col, row, text, kBold, all);
}

DialogPlacement DialogPainter::Place(const host::UiWindowView& dialog, int width, int height)
{
    return PlaceDialog(dialog.cx, dialog.cy, width, height);
}

bool DialogPainter::Paint(Canvas& canvas, const host::UiWindowView& dialog) const
{
    DialogPlacement placement = Place(dialog, canvas.Width(), canvas.Height());
    if (!placement.fits) return false;
    PaintFrame(canvas, placement, dialog.caption, dialog.enabled);
    for (const host::UiControlView& control : dialog.controls)
        if (control.visible) PaintControl(canvas, placement.client, control, dialog.enabled);
    return true;
}

void DialogPainter::PaintControl(Canvas& canvas, const CellRect& client, const host::UiControlView& control, bool active) const
{
    CellRect box = ControlCells(control.x, control.y, control.cx, control.cy);
    box.col += client.col;
    box.row += client.row;
    box = Intersect(box, client);
    if (box.width == 0 || box.height == 0) return;
    uint8_t attr = (control.enabled && active) ? kNormal : kDim;
    switch (control.controlClass) {
    case ControlClass::Static: PaintStatic(canvas, client, box, control, attr); break;
    case ControlClass::Edit: PaintEdit(canvas, box, control, attr, active); break;
    case ControlClass::Button: PaintButton(canvas, client, box, control, attr); break;
    case ControlClass::Progress: PaintProgress(canvas, box, control, attr); break;
    }
}

void DialogPainter::PaintStatic(Canvas& canvas, const CellRect& client, const CellRect& box, const host::UiControlView& control,
                                uint8_t attr) const
{
    // A text wider than its box runs on to the right, as far as the client area allows: the
    // templates size statics for a proportional font, where "(S)" takes less room than here.
    int row = box.row;
    size_t start = 0;
    while (start <= control.text.size() && row < box.row + std::max(box.height, 1)) {
        size_t end = control.text.find('\n', start);
        std::string line = control.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<Glyph> glyphs = Label(line);
        int width = DisplayWidth(glyphs);
        CellRect lineBox = WidenInside({box.col, row, box.width, 1}, width, client);
        int col = (control.style & SS_RIGHT) ? lineBox.col + lineBox.width - width : lineBox.col;
        canvas.PutGlyphs(std::max(col, lineBox.col), row, glyphs, attr, lineBox);
        if (end == std::string::npos) break;
        start = end + 1;
        ++row;
    }
}

void DialogPainter::PaintEdit(Canvas& canvas, const CellRect& box, const host::UiControlView& control, uint8_t attr, bool active) const
{
    CellRect field = box;
    field.height = 1;
    if (field.width >= 3) {
        canvas.PutUtf8(field.col, field.row, "[", attr, field);
        canvas.PutUtf8(field.col + field.width - 1, field.row, "]", attr, field);
        field.col += 1;
        field.width -= 2;
    }
    canvas.Fill(field, " ", attr | kUnderline);
    std::vector<Glyph> glyphs = SplitGlyphs(control.text);
    int textWidth = DisplayWidth(glyphs);
    // Cell column of every byte boundary that starts a glyph, and of the end.
    auto columnOfByte = [&](int byte) {
        int col = 0;
        for (const Glyph& glyph : glyphs) {
            if (glyph.byteOffset >= byte) break;
            col += glyph.width;
        }
        return col;
    };
    int caretCol = columnOfByte(control.caret);
    int scroll = 0;
    if (textWidth + 1 > field.width) {
        // Keep the caret in view, as the edit's automatic horizontal scroll does.
        if (caretCol >= field.width) scroll = caretCol - field.width + 1;
    }
    int origin = field.col - scroll;
    if ((control.style & ES_RIGHT) && textWidth < field.width) origin = field.col + field.width - textWidth;
    canvas.PutGlyphs(origin, field.row, glyphs, attr | kUnderline, field);
    bool showFocus = control.focused && active;
    int selStart = std::min(control.selectionStart, control.selectionEnd);
    int selEnd = std::max(control.selectionStart, control.selectionEnd);
    if (showFocus && selEnd > selStart) {
        int from = origin + columnOfByte(selStart);
        int to = origin + columnOfByte(selEnd);
        canvas.AddAttr(Intersect({from, field.row, to - from, 1}, field), kReverse);
    }
    if (showFocus) {
        int col = std::clamp(origin + caretCol, field.col, field.col + std::max(field.width - 1, 0));
        canvas.cursorCol = col;
        canvas.cursorRow = field.row;
    }
}

void DialogPainter::PaintButton(Canvas& canvas, const CellRect& client, const CellRect& box, const host::UiControlView& control,
                                uint8_t attr) const
{
    std::vector<Glyph> label = Label(control.text);
    int labelWidth = DisplayWidth(label);
    uint8_t focus = control.focused ? kReverse : kNormal;
    switch (control.style & BS_TYPEMASK) {
    case BS_GROUPBOX: {
        CellRect frame = box;
        if (frame.height < 2) frame.height = 2;
        canvas.Box(frame, attr);
        CellRect titleClip{frame.col + 1, frame.row, frame.width - 2, 1};
        canvas.PutGlyphs(titleClip.col, titleClip.row, label, attr, titleClip);
        return;
    }
    case BS_AUTORADIOBUTTON: {
        CellRect line = WidenInside({box.col, box.row, box.width, 1}, labelWidth + 4, client);
        int col = canvas.PutUtf8(line.col, line.row, control.checked ? "(*)" : "( )", attr, line);
        col = canvas.PutUtf8(col, line.row, " ", attr, line);
        int end = canvas.PutGlyphs(col, line.row, label, attr, line);
        if (control.focused) canvas.AddAttr(Intersect({col, line.row, end - col, 1}, line), kReverse);
        return;
    }
    default: {
        bool isDefault = (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        int padding = box.width >= labelWidth + 4 ? 2 : 1;
        CellRect line = WidenInside({box.col, box.row + (box.height - 1) / 2, box.width, 1}, labelWidth + 2 * padding, client);
        uint8_t face = attr | focus | (isDefault ? kBold : kNormal);
        canvas.Fill(line, " ", face);
        canvas.PutUtf8(line.col, line.row, isDefault ? "<" : "[", face, line);
        canvas.PutUtf8(line.col + line.width - 1, line.row, isDefault ? ">" : "]", face, line);
        int col = line.col + (line.width - labelWidth) / 2;
        canvas.PutGlyphs(col, line.row, label, face, line);
        return;
    }
    }
}

void DialogPainter::PaintProgress(Canvas& canvas, const CellRect& box, const host::UiControlView& control, uint8_t attr) const
{
    CellRect bar = box;
    if (bar.height >= 3 && bar.width >= 3) {
        canvas.Box(bar, attr);
        bar = {bar.col + 1, bar.row + 1, bar.width - 2, bar.height - 2};
    } else if (bar.width >= 3) {
        canvas.PutUtf8(bar.col, bar.row, "[", attr, bar);
        canvas.PutUtf8(bar.col + bar.width - 1, bar.row, "]", attr, bar);
        bar = {bar.col + 1, bar.row, bar.width - 2, 1};
    }
    long span = static_cast<long>(control.rangeHigh) - control.rangeLow;
    long done = std::clamp(static_cast<long>(control.position) - control.rangeLow, 0L, std::max(span, 0L));
    if (control.style & PBS_SMOOTH) {
        static const char8_t* const eighths[] = {u8"", u8"▏", u8"▎", u8"▍", u8"▌", u8"▋", u8"▊", u8"▉"};
        long units = span > 0 ? done * bar.width * 8 / span : 0;
        for (int r = bar.row; r < bar.row + bar.height; ++r) {
            int col = bar.col;
            for (long i = 0; i < units / 8; ++i) col = canvas.PutUtf8(col, r, U8(u8"█"), attr, bar);
            if (units % 8) canvas.PutUtf8(col, r, U8(eighths[units % 8]), attr, bar);
        }
    } else {
        // Whole blocks with a gap after each, as a segmented bar grows.
        long segments = bar.width / 2;
        long filled = span > 0 ? done * segments / span : 0;
        for (int r = bar.row; r < bar.row + bar.height; ++r)
            for (long i = 0; i < filled; ++i) canvas.PutUtf8(bar.col + static_cast<int>(2 * i), r, U8(u8"█"), attr, bar);
    }
}

}  // namespace tui
