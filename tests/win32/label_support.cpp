#include "label_support.h"

#include <stdlib.h>

#include <map>
#include <set>

#include "core/display_scale.h"
#include "paint/label_rules.h"
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

namespace {

// The room a text has in its control, and how it is drawn there.
struct TextRoom {
    std::string text;
    HFONT font;         // null: the device context's own
    bool ownFont;       // made here, deleted after measuring
    RECT room;
    UINT format;
};

bool ClassIs(HWND window, const char* name)
{
    char className[32];
    return GetClassNameA(window, className, sizeof className) != 0
        && lstrcmpiA(className, name) == 0;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// False for a control that shows no text of its own (pictures, frames, icons).
bool RoomOf(HWND control, TextRoom* room)
{
    RECT client;
    GetClientRect(control, &client);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    int index = FindLabelSlot(control);
    room->ownFont = false;
    if (index != LabelSlotCount) {      // styled: its own text, font and inset
        const LabelSlot& slot = *LabelSlots[index];
        LabelTextArea area = LabelInset(client.right, client.bottom, slot.margin);
        room->text = slot.text;
        room->font = slot.font != 0 ? CreateFontIndirectA(slot.font) : 0;
        room->ownFont = slot.font != 0;
        SetRect(&room->room, area.left, area.top, area.right, area.bottom);
        room->format = slot.format | DT_WORDBREAK | DT_NOPREFIX;
        return true;
    }
    room->text = WindowText(control);
    room->font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    room->room = client;
    UINT dpi = WindowDpi(control);
    if (ClassIs(control, "Static")) {
        LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT)
            return false;
        room->format = DT_WORDBREAK | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
        return true;
    }
    if (!ClassIs(control, "Button"))
        return false;
    LONG type = style & BS_TYPEMASK;
    int edge = MulDiv(4, dpi, 96);          // a push button's frame and its focus rectangle
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        InflateRect(&room->room, -edge, -edge / 2);
        room->format = style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE;
        return true;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        // The box, and a gap before the text.
        room->room.left += MetricForDpi(SM_CXMENUCHECK, dpi) + edge;
        room->format = DT_SINGLELINE;
        return true;
    case BS_GROUPBOX:
        InflateRect(&room->room, -2 * edge, 0);     // the caption sits inside the frame's corners
        room->format = DT_SINGLELINE;
        return true;
    default:
        return false;   // an owner-drawn button not yet drawn has nothing of ours to measure
    }
}

}  // namespace

std::string TextsThatDoNotFit(HWND window)
{
    std::string report;
    for (HWND child = GetWindow(window, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        TextRoom room;
        if (!RoomOf(child, &room) || room.text.empty())
            continue;
        HDC dc = GetDC(child);
        HGDIOBJ before = room.font != 0 ? SelectObject(dc, room.font) : 0;
        RECT needed = { 0, 0, room.room.right - room.room.left, 0 };
        DrawTextA(dc, room.text.c_str(), -1, &needed, room.format | DT_CALCRECT);
        if (before != 0)
            SelectObject(dc, before);
        ReleaseDC(child, dc);
        if (room.ownFont)
            DeleteObject(room.font);
        int width = room.room.right - room.room.left, height = room.room.bottom - room.room.top;
        if (needed.right <= width && needed.bottom <= height)
            continue;
        char line[256];
        wsprintfA(line, "%d '%.30s': %dx%d in %dx%d\n", GetDlgCtrlID(child), room.text.c_str(),
                  static_cast<int>(needed.right), static_cast<int>(needed.bottom), width, height);
        report += line;
    }
    return report;
}
