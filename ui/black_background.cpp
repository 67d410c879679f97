#include "black_background.h"

INT_PTR AnswerDialogColor(HDC dc, HBRUSH brush)
{
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<INT_PTR>(brush);
}

void ReleaseDialogBrush(HBRUSH* brush)
{
    if (*brush != 0) {
        DeleteObject(*brush);
        *brush = 0;
    }
}
