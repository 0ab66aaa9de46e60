// Dialog units to terminal cells: a horizontal unit is a quarter of a cell, a vertical one an eighth.
#pragma once

namespace tui {

struct CellRect {
    int col;
    int row;
    int width;
    int height;
};

// Edges are rounded half up, so neighbours that touch in dialog units touch in cells.
int ColumnOf(int dialogX);
int RowOf(int dialogY);
// A control's cells inside the client area; never narrower or lower than one cell.
CellRect ControlCells(int x, int y, int cx, int cy);

// The framed dialog on a screen of the given size: the frame takes one cell on every side and its
// top edge carries the caption. Centred; `fits` is false when the screen is smaller than the frame.
struct DialogPlacement {
    CellRect frame;
    CellRect client;
    bool fits;
};
DialogPlacement PlaceDialog(int dialogCx, int dialogCy, int screenWidth, int screenHeight);
// The same for a frame already measured in cells (message boxes, the save-file dialog).
DialogPlacement PlaceFrame(int clientWidth, int clientHeight, int screenWidth, int screenHeight);

}  // namespace tui
