// Dialog units to terminal cells: a horizontal unit is a quarter of a cell, a vertical one an eighth.
#include "CellLayout.h"

namespace tui {

namespace {

int RoundedQuotient(int value, int divisor)
{
    // Half up, also for negative positions, which a template never has but a caller might pass.
    int doubled = 2 * value + divisor;
    int twice = 2 * divisor;
    return doubled >= 0 ? doubled / twice : -((-doubled + twice - 1) / twice);
}

}  // namespace

int ColumnOf(int dialogX) { return RoundedQuotient(dialogX, 4); }
int RowOf(int dialogY) { return RoundedQuotient(dialogY, 8); }

CellRect ControlCells(int x, int y, int cx, int cy)
{
    CellRect cells{ColumnOf(x), RowOf(y), 0, 0};
    cells.width = ColumnOf(x + cx) - cells.col;
    cells.height = RowOf(y + cy) - cells.row;
    if (cells.width < 1) cells.width = 1;
    if (cells.height < 1) cells.height = 1;
    return cells;
}

DialogPlacement PlaceFrame(int clientWidth, int clientHeight, int screenWidth, int screenHeight)
{
    DialogPlacement placement{};
    int frameWidth = clientWidth + 2;
    int frameHeight = clientHeight + 2;
    placement.fits = frameWidth <= screenWidth && frameHeight <= screenHeight;
    int col = placement.fits ? (screenWidth - frameWidth) / 2 : 0;
    int row = placement.fits ? (screenHeight - frameHeight) / 2 : 0;
    placement.frame = {col, row, frameWidth, frameHeight};
    placement.client = {col + 1, row + 1, clientWidth, clientHeight};
    return placement;
}

DialogPlacement PlaceDialog(int dialogCx, int dialogCy, int screenWidth, int screenHeight)
{
    int width = ColumnOf(dialogCx);
    int height = RowOf(dialogCy);
    return PlaceFrame(width < 1 ? 1 : width, height < 1 ? 1 : height, screenWidth, screenHeight);
}

}  // namespace tui
