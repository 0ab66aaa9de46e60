// Draws a dialog snapshot into the canvas: frame and caption, then the controls in template order.
#pragma once

#include "Canvas.h"
#include "host/UiBackend.h"

namespace tui {

class DialogPainter {
public:
    // Draws the dialog centred on the canvas; false (and nothing drawn) when it does not fit.
    bool Paint(Canvas& canvas, const host::UiWindowView& dialog) const;
    // The frame the dialog would take on a canvas of that size.
    static DialogPlacement Place(const host::UiWindowView& dialog, int width, int height);

private:
    void PaintControl(Canvas& canvas, const CellRect& client, const host::UiControlView& control, bool active) const;
    void PaintStatic(Canvas& canvas, const CellRect& client, const CellRect& box, const host::UiControlView& control, uint8_t attr) const;
    void PaintEdit(Canvas& canvas, const CellRect& box, const host::UiControlView& control, uint8_t attr, bool active) const;
    void PaintButton(Canvas& canvas, const CellRect& client, const CellRect& box, const host::UiControlView& control, uint8_t attr) const;
    void PaintProgress(Canvas& canvas, const CellRect& box, const host::UiControlView& control, uint8_t attr) const;
};

// The frame and caption common to dialogs, message boxes and the save-file dialog.
void PaintFrame(Canvas& canvas, const DialogPlacement& placement, const std::string& captionCp932, bool active);

// Shown instead of a dialog on a screen that is too small for it.
void PaintSizeNotice(Canvas& canvas, int neededWidth, int neededHeight);

}  // namespace tui
