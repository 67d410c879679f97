#include "label_support.h"

#include <stdlib.h>

#include <map>
#include <set>

#include "paint/styled_label.h"

namespace {

std::set<void*> heldBlocks;
int failCountdown;
int badFreeCount;
LabelHeap previousHeap;

void* CheckedAllocate(size_t size)
{
    if (failCountdown > 0 && --failCountdown == 0)
        return 0;
    void* block = malloc(size);
    heldBlocks.insert(block);
    return block;
}

void CheckedRelease(void* block)
{
    if (heldBlocks.erase(block) == 0) {
        ++badFreeCount;     // never freed twice for real, so the test can report it
        return;
    }
    free(block);
}

std::map<HWND, ProbeRecord> probes;

LRESULT CALLBACK ProbeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ProbeRecord& seen = probes[window];
    if (message == WM_PAINT)
        ++seen.paints;
    if (message == WM_DESTROY)
        seen.destroyedAsItself = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(
                                     window, GWLP_WNDPROC)) == ProbeWndProc;
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* ProbeClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA probeClass = {};
        probeClass.lpfnWndProc = ProbeWndProc;
        probeClass.hInstance = GetModuleHandleA(0);
        probeClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        probeClass.lpszClassName = "CpLabelProbe";
        RegisterClassA(&probeClass);
        registered = true;
    }
    return "CpLabelProbe";
}

}  // namespace

CheckedLabelHeap::CheckedLabelHeap()
{
    previousHeap = LabelMemory;
    heldBlocks.clear();
    failCountdown = 0;
    badFreeCount = 0;
    LabelMemory.allocate = CheckedAllocate;
    LabelMemory.release = CheckedRelease;
}

CheckedLabelHeap::~CheckedLabelHeap()
{
    LabelMemory = previousHeap;
}

void CheckedLabelHeap::FailAllocation(int nth) { failCountdown = nth; }
int CheckedLabelHeap::held() const { return static_cast<int>(heldBlocks.size()); }
int CheckedLabelHeap::badFrees() const { return badFreeCount; }

HWND MakeProbeHost(int width, int height)
{
    HWND host = CreateWindowExA(0, "STATIC", "label host", WS_POPUP | WS_VISIBLE, 10, 10, width,
                                height, 0, 0, GetModuleHandleA(0), 0);
    UpdateWindow(host);
    return host;
}

HWND MakeProbe(HWND host, int x, int y, int width, int height)
{
    HWND probe = CreateWindowExA(0, ProbeClass(), "", WS_CHILD | WS_VISIBLE, x, y, width,
                                 height, host, 0, GetModuleHandleA(0), 0);
    probes[probe] = ProbeRecord();
    UpdateWindow(probe);
    probes[probe].paints = 0;
    return probe;
}

ProbeRecord& ProbeSeen(HWND probe) { return probes[probe]; }
WNDPROC ProbeProc() { return ProbeWndProc; }

COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

int CountLabelSlots()
{
    int count = 0;
    for (int i = 0; i < LabelSlotCount; ++i)
        count += LabelSlots[i] != 0 ? 1 : 0;
    return count;
}
