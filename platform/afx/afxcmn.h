// Common controls: the progress bar.
#pragma once

#include "afxwin.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position);
    int GetPos() const;
    int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt();
};
