// For the painting tests: a heap for the label table that counts what it holds,
// catches a second free of the same block and can be told to fail, and probe
// windows that record what reaches their own procedure.
#ifndef CLICKPOCKET_LABEL_SUPPORT_H
#define CLICKPOCKET_LABEL_SUPPORT_H

#include <windows.h>

#include <stddef.h>

#include <string>

// Installs the checking heap for the life of the object.
class CheckedLabelHeap {
public:
    CheckedLabelHeap();
    ~CheckedLabelHeap();
    void FailAllocation(int nth);   // the nth allocation from now (1 = the next) fails
    int held() const;               // blocks allocated and not yet freed
    int badFrees() const;           // frees of blocks not held (double or stray)
};

// A visible popup that hosts the probes, and the probes themselves: children of
// a class of their own whose procedure counts WM_PAINT and notes, at WM_DESTROY,
// whether the subclass had already been undone.
HWND MakeProbeHost(int width, int height);
HWND MakeProbe(HWND host, int x, int y, int width, int height);
struct ProbeRecord {
    int paints;
    bool destroyedAsItself;
};
ProbeRecord& ProbeSeen(HWND probe);
WNDPROC ProbeProc();

COLORREF PixelOf(HWND window, int x, int y);
int CountLabelSlots();

// Each text of the window's static and button controls, measured with DrawText
// DT_CALCRECT in the font it is drawn in (a styled label's own, else the
// control's) against the room its control gives it: a line for each that
// overflows ("102 'The Tidelocker...': 431x128 in 459x120"), empty when all fit.
std::string TextsThatDoNotFit(HWND window);

#endif
