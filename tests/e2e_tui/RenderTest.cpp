// The terminal front end without a terminal: cell layout, glyph widths, painted dialogs, message boxes, keys.
#include <gtest/gtest.h>

#include <clocale>
#include <ncurses.h>

#include "tui/DialogPainter.h"
#include "tui/KeyDecoder.h"
#include "tui/MessageBoxView.h"
#include "windows.h"

namespace {

using namespace tui;

std::string U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class Render : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr); }
};

TEST_F(Render, DialogUnitsRoundToCells)
{
    struct Case {
        int x, y, cx, cy;
        CellRect cells;
    } cases[] = {
        {7, 7, 35, 12, {2, 1, 9, 1}},        // label: 1.75 -> 2, 10.5 -> 11 columns end
        {73, 49, 18, 12, {18, 6, 5, 2}},     // month edit
        {122, 50, 8, 12, {31, 6, 2, 2}},     // half a cell rounds up: touches the label before it
        {7, 107, 267, 35, {2, 13, 67, 5}},   // group box
        {0, 0, 1, 1, {0, 0, 1, 1}},          // never smaller than a cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.cx << "," << c.cy);
        CellRect cells = ControlCells(c.x, c.y, c.cx, c.cy);
        EXPECT_EQ(cells.col, c.cells.col);
        EXPECT_EQ(cells.row, c.cells.row);
        EXPECT_EQ(cells.width, c.cells.width);
        EXPECT_EQ(cells.height, c.cells.height);
    }
}

TEST_F(Render, ConditionsDialogFitsAnEightyByTwentyFourTerminalCentred)
{
    DialogPlacement placement = PlaceDialog(281, 167, 80, 24);
    EXPECT_TRUE(placement.fits);
    EXPECT_EQ(placement.frame.width, 72);
    EXPECT_EQ(placement.frame.height, 23);
    EXPECT_EQ(placement.frame.col, 4);
    EXPECT_EQ(placement.client.col, 5);
    EXPECT_FALSE(PlaceDialog(281, 167, 71, 24).fits);
    EXPECT_FALSE(PlaceDialog(281, 167, 80, 22).fits);
}

TEST_F(Render, GlyphsKeepCp932CharactersWholeWithTheirWidths)
{
    struct Case {
        const char* cp932;
        int glyphs;
        int width;
    } cases[] = {
        {"決算書", 3, 6},
        {"ABC", 3, 3},
        {"ｱｲ", 2, 2},            // half-width katakana: one byte, one cell
        {"ソ表", 2, 4},          // trail bytes 0x5C and 0x7C are no backslash or bar
        {"a\x81", 2, 2},         // a lead byte without its trail byte shows as one cell
        {"\x01", 1, 1},          // a control character is replaced, not dropped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cp932);
        std::vector<Glyph> glyphs = SplitGlyphs(c.cp932);
        EXPECT_EQ(static_cast<int>(glyphs.size()), c.glyphs);
        EXPECT_EQ(DisplayWidth(glyphs), c.width);
    }
    std::vector<Glyph> so = SplitGlyphs("ソ\\");
    ASSERT_EQ(so.size(), 2u);
    EXPECT_EQ(std::string(so[0].utf8), U(u8"ソ"));
    EXPECT_EQ(so[1].byteOffset, 2);
}

TEST_F(Render, MnemonicMarkersAreNotShown)
{
    struct Case {
        const char* text;
        const char* shown;
    } cases[] = {{"月度(&S)", "月度(S)"}, {"A&&B", "A&B"}, {"参照(&D)...", "参照(D)..."}, {"&", ""}, {"出力先", "出力先"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StripMnemonic(c.text), c.shown);
    }
}

host::UiControlView Control(int id, ControlClass kind, unsigned long style, short x, short y, short cx, short cy, const char* text)
{
    host::UiControlView control;
    control.id = id;
    control.controlClass = kind;
    control.style = style;
    control.x = x;
    control.y = y;
    control.cx = cx;
    control.cy = cy;
    control.text = text;
    return control;
}

// The row of the canvas that contains `marker`, or -1.
int RowWith(const Canvas& canvas, const std::string& marker)
{
    for (int row = 0; row < canvas.Height(); ++row)
        if (canvas.RowText(row).find(marker) != std::string::npos) return row;
    return -1;
}

int ColumnOfText(const Canvas& canvas, int row, const std::string& marker)
{
    std::string text;
    std::vector<int> columnOfByte;
    for (int col = 0; col < canvas.Width(); ++col) {
        for (const char* c = canvas.At(col, row).utf8; *c; ++c) columnOfByte.push_back(col);
        text += canvas.At(col, row).utf8;
    }
    size_t at = text.find(marker);
    return at == std::string::npos ? -1 : columnOfByte[at];
}

TEST_F(Render, DialogShowsItsControlsWithFocusSelectionAndStates)
{
    host::UiWindowView dialog;
    dialog.caption = "決算書 - 集計条件";
    dialog.cx = 281;
    dialog.cy = 167;
    dialog.controls.push_back(Control(1005, ControlClass::Static, SS_LEFT, 7, 7, 35, 12, "事業所名"));
    dialog.controls.push_back(Control(1011, ControlClass::Static, SS_LEFT, 96, 49, 25, 12, "月度(&S)"));
    host::UiControlView month = Control(1016, ControlClass::Edit, ES_RIGHT | WS_BORDER, 73, 49, 18, 12, "12");
    month.focused = true;
    month.selectionStart = 0;
    month.selectionEnd = 2;
    month.caret = 2;
    dialog.controls.push_back(month);
    host::UiControlView shareholders = Control(1019, ControlClass::Button, BS_AUTORADIOBUTTON, 74, 71, 178, 11, "株主(&K)");
    shareholders.checked = true;
    dialog.controls.push_back(shareholders);
    dialog.controls.push_back(Control(1020, ControlClass::Button, BS_AUTORADIOBUTTON, 74, 84, 178, 11, "社員(&M)"));
    dialog.controls.push_back(Control(1014, ControlClass::Button, BS_GROUPBOX, 7, 107, 267, 35, "出力先(&O)"));
    host::UiControlView browse = Control(1001, ControlClass::Button, BS_PUSHBUTTON, 211, 120, 57, 14, "参照(&D)...");
    browse.enabled = false;
    dialog.controls.push_back(browse);
    dialog.controls.push_back(Control(1003, ControlClass::Button, BS_PUSHBUTTON, 217, 147, 57, 14, "キャンセル(Esc)"));

    Canvas canvas;
    canvas.Resize(80, 24);
    ASSERT_TRUE(DialogPainter().Paint(canvas, dialog));
    EXPECT_NE(canvas.RowText(0).find(U(u8"決算書 - 集計条件")), std::string::npos) << canvas.RowText(0);
    EXPECT_NE(canvas.RowText(2).find(U(u8"事業所名")), std::string::npos);
    EXPECT_EQ(ColumnOfText(canvas, 2, U(u8"事業所名")), 7);   // client at column 5, label at cell 2

    int monthRow = RowWith(canvas, U(u8"月度(S)"));
    ASSERT_EQ(monthRow, 7);
    EXPECT_NE(canvas.RowText(monthRow).find("[ 12]"), std::string::npos) << canvas.RowText(monthRow);
    // The selected "12" is reversed and the caret stands in the edit.
    int twelve = ColumnOfText(canvas, monthRow, "12");
    EXPECT_TRUE(canvas.At(twelve, monthRow).attr & kReverse);
    EXPECT_TRUE(canvas.At(twelve + 1, monthRow).attr & kReverse);
    EXPECT_FALSE(canvas.At(twelve - 1, monthRow).attr & kReverse);
    EXPECT_EQ(canvas.cursorRow, monthRow);

    EXPECT_NE(canvas.RowText(RowWith(canvas, U(u8"株主(K)"))).find(U(u8"(*) 株主(K)")), std::string::npos);
    EXPECT_NE(canvas.RowText(RowWith(canvas, U(u8"社員(M)"))).find(U(u8"( ) 社員(M)")), std::string::npos);
    int groupRow = RowWith(canvas, U(u8"出力先(O)"));
    EXPECT_EQ(groupRow, 14);
    EXPECT_NE(canvas.RowText(groupRow).find(U(u8"┌出力先(O)─")), std::string::npos) << canvas.RowText(groupRow);
    int browseRow = RowWith(canvas, U(u8"参照(D)..."));
    int browseCol = ColumnOfText(canvas, browseRow, U(u8"参照(D)..."));
    EXPECT_TRUE(canvas.At(browseCol, browseRow).attr & kDim) << "a disabled button is dim";
    // A button wider than its box stays inside the dialog, its frame intact.
    int cancelRow = RowWith(canvas, U(u8"キャンセル(Esc)"));
    EXPECT_NE(canvas.RowText(cancelRow).find(U(u8"[キャンセル(Esc)]│")), std::string::npos) << canvas.RowText(cancelRow);
}

TEST_F(Render, ProgressBarsFillTheirShare)
{
    host::UiWindowView dialog;
    dialog.caption = "集計中 50％";
    dialog.cx = 221;
    dialog.cy = 45;
    host::UiControlView main = Control(1016, ControlClass::Progress, PBS_SMOOTH | WS_BORDER, 5, 6, 211, 22, "");
    main.rangeHigh = 1000;
    main.position = 500;
    host::UiControlView activity = Control(1017, ControlClass::Progress, WS_BORDER, 5, 29, 211, 10, "");
    activity.rangeHigh = 5;
    activity.position = 5;
    dialog.controls = {main, activity};
    Canvas canvas;
    canvas.Resize(80, 24);
    ASSERT_TRUE(DialogPainter().Paint(canvas, dialog));
    auto count = [&](int row, const std::string& glyph) {
        int n = 0;
        for (int col = 0; col < canvas.Width(); ++col) n += glyph == canvas.At(col, row).utf8;
        return n;
    };
    const std::string block = U(u8"█");
    const std::string twoBlocks = block + block;
    DialogPlacement placement = PlaceDialog(221, 45, 80, 24);
    int mainRow = placement.client.row + 2;   // inside the bar's frame
    int interior = ControlCells(5, 6, 211, 22).width - 2;
    EXPECT_EQ(count(mainRow, block), interior / 2);
    int activityRow = placement.client.row + 4;
    int segments = (ControlCells(5, 29, 211, 10).width - 2) / 2;
    EXPECT_EQ(count(activityRow, block), segments) << canvas.RowText(activityRow);
    EXPECT_EQ(canvas.RowText(activityRow).find(twoBlocks), std::string::npos) << "segments have gaps";
}

TEST_F(Render, TooSmallATerminalGetsANoticeInstead)
{
    host::UiWindowView dialog;
    dialog.cx = 281;
    dialog.cy = 167;
    Canvas canvas;
    canvas.Resize(60, 20);
    EXPECT_FALSE(DialogPainter().Paint(canvas, dialog));
    PaintSizeNotice(canvas, 72, 23);
    EXPECT_NE(canvas.RowText(10).find("Enlarge the terminal to at least 72 x 23"), std::string::npos);
}

host::UiMessageBox Box(host::UiButtons buttons, unsigned icon, const char* text)
{
    host::UiMessageBox box;
    box.caption = "決算書";
    box.text = text;
    box.buttons = buttons;
    box.iconFlags = icon;
    return box;
}

KeyInput Key(unsigned vk, bool shift = false)
{
    KeyInput key;
    key.kind = KeyInput::kKey;
    key.vk = vk;
    key.shift = shift;
    return key;
}

KeyInput Text(const char* utf8)
{
    KeyInput key;
    key.kind = KeyInput::kText;
    key.utf8 = utf8;
    return key;
}

TEST_F(Render, MessageBoxShowsMarkerLinesAndButtons)
{
    MessageBoxView view(Box(host::UiButtons::YesNo, MB_ICONQUESTION, "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？"));
    Canvas canvas;
    canvas.Resize(80, 24);
    ASSERT_TRUE(view.Paint(canvas));
    int first = RowWith(canvas, U(u8"指定されたフォルダは存在しません。"));
    ASSERT_GE(first, 0);
    EXPECT_NE(canvas.RowText(first).find("[?]"), std::string::npos);
    EXPECT_EQ(RowWith(canvas, U(u8"作成してもよろしいですか？")), first + 2);
    int buttons = RowWith(canvas, U(u8"はい(Y)"));
    EXPECT_NE(canvas.RowText(buttons).find(U(u8"いいえ(N)")), std::string::npos);
    EXPECT_TRUE(canvas.At(ColumnOfText(canvas, buttons, U(u8"はい(Y)")), buttons).attr & kReverse) << "Yes has the focus";
}

TEST_F(Render, MessageBoxKeysChooseTheButtons)
{
    struct Case {
        const char* name;
        host::UiButtons buttons;
        std::vector<KeyInput> keys;
        int answer;
    } cases[] = {
        {"enter presses the first", host::UiButtons::YesNo, {Key(VK_RETURN)}, IDYES},
        {"tab then enter", host::UiButtons::YesNo, {Key(VK_TAB), Key(VK_RETURN)}, IDNO},
        {"shift+tab wraps", host::UiButtons::YesNoCancel, {Key(VK_TAB, true), Key(VK_SPACE)}, IDCANCEL},
        {"n is the mnemonic of No", host::UiButtons::YesNo, {Text("n")}, IDNO},
        {"esc does nothing without Cancel", host::UiButtons::YesNo, {Key(VK_ESCAPE)}, 0},
        {"esc is OK for a lone OK", host::UiButtons::Ok, {Key(VK_ESCAPE)}, IDOK},
        {"esc cancels", host::UiButtons::OkCancel, {Key(VK_ESCAPE)}, IDCANCEL},
        {"a user who left says No", host::UiButtons::YesNo, {KeyInput::Closed()}, IDNO},
        {"a user who left says OK", host::UiButtons::Ok, {KeyInput::Closed()}, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxView view(Box(c.buttons, MB_ICONQUESTION, "?"));
        int answer = 0;
        for (const KeyInput& key : c.keys) answer = view.HandleKey(key);
        EXPECT_EQ(answer, c.answer);
    }
}

TEST_F(Render, LongMessageLinesWrapInsideTheScreen)
{
    std::string text(200, 'x');
    MessageBoxView view(Box(host::UiButtons::Ok, MB_ICONEXCLAMATION, text.c_str()));
    Canvas canvas;
    canvas.Resize(80, 24);
    ASSERT_TRUE(view.Paint(canvas));
    int shown = 0;
    for (int row = 0; row < canvas.Height(); ++row)
        for (int col = 0; col < canvas.Width(); ++col) shown += canvas.At(col, row).utf8 == std::string("x");
    EXPECT_EQ(shown, 200);
}

TEST_F(Render, TerminalKeysBecomeWindowsKeys)
{
    KeyDecoder decoder;
    decoder.Bind(KEY_F(24), VK_F12, true, false, false);
    decoder.Bind(KEY_F(36), VK_F12, false, true, false);
    struct Case {
        const char* name;
        KeyInput key;
        unsigned vk;
        bool shift, ctrl, alt;
    } cases[] = {
        {"enter", decoder.FromChar(L'\r', false), VK_RETURN, false, false, false},
        {"escape", decoder.FromChar(0x1B, false), VK_ESCAPE, false, false, false},
        {"tab", decoder.FromChar(L'\t', false), VK_TAB, false, false, false},
        {"back tab", decoder.FromKeyCode(KEY_BTAB, false), VK_TAB, true, false, false},
        {"backspace", decoder.FromChar(0x7F, false), VK_BACK, false, false, false},
        {"delete", decoder.FromKeyCode(KEY_DC, false), VK_DELETE, false, false, false},
        {"f12", decoder.FromKeyCode(KEY_F(12), false), VK_F12, false, false, false},
        {"shift+f12", decoder.FromKeyCode(KEY_F(24), false), VK_F12, true, false, false},
        {"ctrl+f12", decoder.FromKeyCode(KEY_F(36), false), VK_F12, false, true, false},
        {"alt+f12 by escape prefix", decoder.FromKeyCode(KEY_F(12), true), VK_F12, false, false, true},
        {"alt+s is a mnemonic key", decoder.FromChar(L's', true), 'S', false, false, true},
        {"ctrl+a", decoder.FromChar(1, false), 'A', false, true, false},
        {"shift+home", decoder.FromKeyCode(KEY_SHOME, false), VK_HOME, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.key.kind, KeyInput::kKey);
        EXPECT_EQ(c.key.vk, c.vk);
        EXPECT_EQ(c.key.shift, c.shift);
        EXPECT_EQ(c.key.ctrl, c.ctrl);
        EXPECT_EQ(c.key.alt, c.alt);
    }
    KeyInput typed = decoder.FromChar(L'決', false);
    EXPECT_EQ(typed.kind, KeyInput::kText);
    EXPECT_EQ(typed.utf8, U(u8"決"));
    bool shift, ctrl, alt;
    ModifiersFromParameter(6, shift, ctrl, alt);
    EXPECT_TRUE(shift && ctrl && !alt);
}

}  // namespace
