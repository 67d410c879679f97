// cplook: looks at windows from inside Wine, as another program would, for
// the end-to-end scenarios. Every command prints what it found and exits 0, or
// exits 1 when what it waited for did not happen in time.
//
//   wait <title> [ms]           a top-level window with this title exists (hidden too)
//   visible <title> [ms]        ... and is visible
//   gone <title> [ms]           no top-level window has this title any more
//   info <title> [id]           handle, visibility, topmost, owner, styles, rectangle
//                               (of the window titled so that has control id)
//   text <title> <id>           the text of control <id>
//   checked <title> <id>        1 when checkbox <id> is checked
//   center <title> [id]         screen point in the middle of the window or control
//   focus                       the foreground window's title and the focused control id
//   msgbox <caption> [ms]       waits for a message box: its owner, text and buttons
//   boxcenter <caption> <id>    screen point in the middle of a message box's button
//   post|send <title> <msg> <wparam> <lparam>   msg: a number, "private" or "close"
//   foreground <title>          makes the window the foreground window
//   windows                     every top-level window: visible flag and title
//   count <title>               how many top-level windows have this title
//   rect <title> [id]           screen rectangle "left top right bottom" of a window or control
//   picture <title> <n>         screen rectangle of the window's n-th picture (SS_BITMAP
//                               control, 1 the first), as rect prints it
//   closebox <title>            screen point in the middle of the caption's close box
//   enable <title> <id> <0|1>   disables or enables a control
//   press <title> <id> <n>      pushes a button in and out n times (BM_SETSTATE)
//   cover <title> [ms]          lays a topmost magenta window over it for a while
//   gdi <title>                 the GDI object count and the kernel handle count of
//                               the window's process
//   cycle <show|about|contest> <n>   shows and hides the control window, or opens
//                               and closes a dialog through its command, n times
//   ping <title> <ms> [until [file]]   sends WM_NULL to the window about once a ms
//                               for ms (or until a window titled `until` has the
//                               foreground): the answers, the longest wait for one,
//                               the pings a second and how the pace was kept, and
//                               when `until` came to the front (-1: never;
//                               raised_tick: the GetTickCount of that moment, 0 for
//                               never); each wait is added to the file, one a line
//   showwindow <title> <n>      ShowWindow with command n (0 hides, 5 shows)
//   manifest <exe> <file>       copies the exe's application manifest (RT_MANIFEST 1)
//                               into file
//   runvalue <HKLM|HKCU>        the CLICKPOCKET value under that Run key, read as
//                               UTF-16 and printed as UTF-8 (exit 1 when absent)
//   endwindow <title>           ends the process that owns the window (by its id)
//   shelllist                   opens the shell's list of folder windows (ShellWindows):
//                               its HRESULT and how long that took
//   faces                       each face the program asks for, as drawn here: exit 1
//                               unless it is its stand-in (tests/env/prefix.sh) and
//                               "MS Sans Serif" the raster face, 13 pixels high at 96 DPI
//   layout                      the dialog base units at the screen's DPI and the DPI
//                               that fonts and pictures are made for there (LayoutDpi)
//   end                         ends every program of this Wine prefix but Wine's own
//                               (its services and the desktop): what the tests and
//                               the shell started for them, folder windows included
#include <windows.h>
#include <exdisp.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/display_scale.h"
#include "gdi_count.h"
#include "window_probe.h"

static HWND FindTitled(const char* title)
{
    return FindWindowA(0, title);
}

// Message boxes share the program's caption: with a control id, the window
// that has that control is meant.
static HWND FindTitledWith(const char* title, int id)
{
    for (HWND w = FindWindowExA(0, 0, 0, title); w != 0; w = FindWindowExA(0, w, 0, title)) {
        if (GetDlgItem(w, id) != 0)
            return w;
    }
    return 0;
}

static HWND WaitFor(const char* title, DWORD ms, bool mustBeVisible)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindTitled(title);
        if (window != 0 && (!mustBeVisible || IsWindowVisible(window)))
            return window;
        if (GetTickCount() - start >= ms)
            return 0;
        Sleep(20);
    }
}

static void PrintEscaped(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n')
            fputs("\\n", stdout);
        else if (*p != '\r')
            putchar(*p);
    }
}

static void PrintTitle(HWND window)
{
    char title[512] = "";
    if (window != 0)
        GetWindowTextA(window, title, sizeof title);
    PrintEscaped(title);
}

static int Info(HWND window)
{
    if (window == 0)
        return 1;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    RECT r;
    GetWindowRect(window, &r);
    char className[128];
    GetClassNameA(window, className, sizeof className);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HWND owner = GetWindow(window, GW_OWNER);
    printf("hwnd=%lu\nvisible=%d\nenabled=%d\ntopmost=%d\ntoolwindow=%d\nclass=%s\npid=%lu\n",
           static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)),
           IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0,
           (exStyle & WS_EX_TOPMOST) ? 1 : 0, (exStyle & WS_EX_TOOLWINDOW) ? 1 : 0, className,
           pid);
    printf("style=0x%08lX\nexstyle=0x%08lX\nrect=%ld,%ld,%ld,%ld\nowner=",
           static_cast<unsigned long>(style), static_cast<unsigned long>(exStyle), r.left, r.top,
           r.right, r.bottom);
    PrintTitle(owner);
    printf("\nminimized=%d\n", IsIconic(window) ? 1 : 0);
    return 0;
}

static BOOL CALLBACK PrintButton(HWND child, LPARAM)
{
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
        putchar('[');
        PrintTitle(child);
        putchar(']');
    }
    return TRUE;
}

static int MessageBoxInfo(const char* caption, DWORD ms)
{
    DWORD start = GetTickCount();
    HWND box;
    while ((box = FindMessageBox(caption)) == 0) {
        if (GetTickCount() - start >= ms)
            return 1;
        Sleep(20);
    }
    // Read as UTF-16 and printed as UTF-8: every character as the box shows it,
    // whatever the code page of either program.
    WCHAR wide[8192] = L"";
    GetDlgItemTextW(box, 0xFFFF, wide, 8192);
    char text[8192 * 3] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, 0, 0);
    printf("hwnd=%lu\nowner=", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(box)));
    PrintTitle(GetWindow(box, GW_OWNER));
    printf("\ntext=");
    PrintEscaped(text);
    printf("\nbuttons=");
    EnumChildWindows(box, PrintButton, 0);
    printf("\nfocus=");
    PrintTitle(ThreadFocus(box));
    printf("\n");
    return 0;
}

static int PrintCenter(HWND window)
{
    if (window == 0)
        return 1;
    RECT r;
    GetWindowRect(window, &r);
    printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return 0;
}

static UINT MessageNumber(const char* name)
{
    if (strcmp(name, "private") == 0)
        return RegisterWindowMessageA("uCLICKPOCKET_PRIVATEMSG");
    if (strcmp(name, "close") == 0)
        return WM_CLOSE;
    return static_cast<UINT>(strtoul(name, 0, 0));
}

static int Focus()
{
    HWND foreground = GetForegroundWindow();
    printf("foreground=");
    PrintTitle(foreground);
    HWND focus = ThreadFocus(foreground);
    printf("\nfocus=%d\nfocustext=", focus != 0 ? GetDlgCtrlID(focus) : 0);
    PrintTitle(focus);
    printf("\n");
    return 0;
}

static BOOL CALLBACK PrintTopLevel(HWND window, LPARAM)
{
    char title[512];
    if (GetWindowTextA(window, title, sizeof title) > 0) {
        printf("%d ", IsWindowVisible(window) ? 1 : 0);
        PrintEscaped(title);
        printf("\n");
    }
    return TRUE;
}

static int PrintRect(HWND window)
{
    if (window == 0)
        return 1;
    RECT r;
    GetWindowRect(window, &r);
    printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

static HWND NthPicture(HWND window, int n)
{
    for (HWND child = GetWindow(window, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (GetClassNameA(child, className, sizeof className) == 0
            || lstrcmpiA(className, "Static") != 0
            || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        if (--n == 0)
            return child;
    }
    return 0;
}

static int CountWindows(const char* title)
{
    int count = 0;
    for (HWND w = FindWindowExA(0, 0, 0, title); w != 0; w = FindWindowExA(0, w, 0, title))
        ++count;
    printf("%d\n", count);
    return 0;
}

static LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(reinterpret_cast<HDC>(wParam), &r, magenta);
        DeleteObject(magenta);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void Pump(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

static int Cover(HWND target, DWORD ms)
{
    if (target == 0)
        return 1;
    RECT r;
    GetWindowRect(target, &r);
    WNDCLASSA coverClass = {};
    coverClass.lpfnWndProc = CoverProc;
    coverClass.hInstance = GetModuleHandleA(0);
    coverClass.lpszClassName = "CpCover";
    RegisterClassA(&coverClass);
    // Shown without taking the activation, so nothing changes under it but the paint.
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "CpCover",
                                 "CP Cover", WS_POPUP, r.left - 10, r.top - 10,
                                 r.right - r.left + 20, r.bottom - r.top + 20, 0, 0,
                                 GetModuleHandleA(0), 0);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    Pump(ms);
    DestroyWindow(cover);
    Pump(300);
    return 0;
}

// The kernel handles a process holds. Wine answers GetProcessHandleCount with 0,
// but lists every handle of the system, with its owner, as Windows does.
static long CountKernelHandles(DWORD pid)
{
    typedef LONG (WINAPI *QueryProc)(ULONG, void*, ULONG, ULONG*);
    QueryProc query = reinterpret_cast<QueryProc>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    struct Entry { ULONG owner; BYTE type; BYTE flags; USHORT value; void* object; ULONG access; };
    struct Table { ULONG count; Entry entries[1]; };
    const ULONG SystemHandleInformation = 16;
    const LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
    ULONG size = 1 << 20;
    for (int tries = 0; query != 0 && tries < 8; ++tries, size *= 2) {
        Table* table = static_cast<Table*>(malloc(size));
        ULONG needed = 0;
        LONG status = table != 0 ? query(SystemHandleInformation, table, size, &needed) : -1;
        if (status == InfoLengthMismatch) {
            free(table);
            continue;
        }
        long held = -1;
        if (status == 0) {
            held = 0;
            for (ULONG i = 0; i < table->count; ++i)
                held += table->entries[i].owner == pid ? 1 : 0;
        }
        free(table);
        return held;
    }
    return -1;
}

static int GdiOf(HWND window)
{
    if (window == 0)
        return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == 0)
        return 1;
    long count = CountGdiObjects(process);
    CloseHandle(process);
    long handles = CountKernelHandles(pid);
    printf("gdi=%ld\nhandles=%ld\n", count, handles);
    return count >= 0 && handles >= 0 ? 0 : 1;
}

static bool WaitShown(const char* title, bool shown, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND w = FindTitled(title);
        if ((w != 0 && IsWindowVisible(w)) == shown)
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(5);
    }
}

// The control window's commands, posted as its buttons post them.
static int Cycle(const char* kind, int rounds)
{
    HWND control = FindTitled("ClickPocket 1.0");
    if (control == 0)
        return 1;
    UINT request = RegisterWindowMessageA("uCLICKPOCKET_PRIVATEMSG");
    for (int i = 0; i < rounds; ++i) {
        if (strcmp(kind, "show") == 0) {
            PostMessageA(control, request, 1, 0);
            if (!WaitShown("ClickPocket 1.0", true, 5000))
                return 1;
            PostMessageA(control, WM_COMMAND, 105, 0);
            if (!WaitShown("ClickPocket 1.0", false, 5000))
                return 1;
            continue;
        }
        const char* title = strcmp(kind, "about") == 0
                                ? "About ClickPocket"
                                : "* * * The Tidelocker Pro Cipher Contest 2007 * * *";
        PostMessageA(control, WM_COMMAND, strcmp(kind, "about") == 0 ? 103 : 106, 0);
        if (!WaitShown(title, true, 5000))
            return 1;
        PostMessageA(FindTitled(title), WM_CLOSE, 0, 0);
        if (!WaitShown(title, false, 5000))
            return 1;
    }
    return 0;
}

static bool ForegroundIs(const char* title)
{
    char text[256] = "";
    GetWindowTextA(GetForegroundWindow(), text, sizeof text);
    return strcmp(text, title) == 0;
}

// How long the window's thread keeps another program waiting for an answer.
static const char* PingUntil;
static LARGE_INTEGER PingStart;
static double RaisedMs = -1;
static DWORD RaisedTick;

static bool UntilInFront()
{
    if (PingUntil == 0 || !ForegroundIs(PingUntil))
        return false;
    RaisedMs = MillisecondsSince(PingStart);
    RaisedTick = GetTickCount();
    return true;
}

static int Ping(HWND window, DWORD ms, const char* until, const char* waitsFile)
{
    if (window == 0)
        return 1;
    Pinger pinger = {};
    pinger.window = window;
    pinger.limitMs = ms;
    pinger.done = UntilInFront;
    pinger.waits = waitsFile != 0 ? fopen(waitsFile, "a") : 0;
    PingUntil = until;
    QueryPerformanceCounter(&PingStart);
    PingSteadily(&pinger);
    if (pinger.waits != 0)
        fclose(pinger.waits);
    printf("answers=%lu\nunanswered=%lu\nlongest_ms=%.1f\nrate=%.0f\npace=%s\nraised_ms=%.0f\n"
           "raised_tick=%lu\n", pinger.answers, pinger.unanswered, pinger.longestMs,
           PingsPerSecond(pinger), pinger.pace, RaisedMs, static_cast<unsigned long>(RaisedTick));
    return 0;
}

// Whether the shell's list of folder windows is served in this prefix's session.
static int OpenShellList()
{
    CoInitializeEx(0, COINIT_APARTMENTTHREADED);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    IShellWindows* list = 0;
    HRESULT result = CoCreateInstance(CLSID_ShellWindows, 0, CLSCTX_LOCAL_SERVER,
                                      IID_IShellWindows, reinterpret_cast<void**>(&list));
    printf("result=%08lx\nms=%.0f\n", static_cast<unsigned long>(result), MillisecondsSince(start));
    if (list != 0)
        list->Release();
    CoUninitialize();
    return 0;
}

static int CopyManifest(const char* exe, const char* file)
{
    HMODULE module = LoadLibraryExA(exe, 0, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : 0;
    HGLOBAL loaded = found ? LoadResource(module, found) : 0;
    const void* bytes = loaded ? LockResource(loaded) : 0;
    if (bytes == 0)
        return 1;
    FILE* out = fopen(file, "wb");
    if (out == 0)
        return 1;
    fwrite(bytes, 1, SizeofResource(module, found), out);
    fclose(out);
    return 0;
}

static int PrintRunValue(const char* root)
{
    HKEY key;
    if (RegOpenKeyExW(strcmp(root, "HKCU") == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return 1;
    WCHAR wide[4096] = L"";
    DWORD size = sizeof wide - sizeof(WCHAR);
    DWORD type = 0;
    LONG result = RegQueryValueExW(key, L"CLICKPOCKET", 0, &type,
                                   reinterpret_cast<BYTE*>(wide), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return 1;
    char text[4096 * 3] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, 0, 0);
    printf("%s%s\n", type == REG_SZ ? "" : "(not REG_SZ) ", text);
    return 0;
}

static int EndWindowOwner(HWND window)
{
    DWORD id = 0;
    if (window != 0)
        GetWindowThreadProcessId(window, &id);
    return id != 0 && EndProcessById(id) ? 0 : 1;
}

// A prefix holds only what its own wineserver runs: Wine's services (services.exe
// and what it starts), the desktop's explorer, and the programs of the tests.
static int EndPrefixPrograms()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 1;
    enum { MaxProcesses = 512 };
    static PROCESSENTRY32 all[MaxProcesses];
    int count = 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && count < MaxProcesses;
         more = Process32Next(snapshot, &entry))
        all[count++] = entry;
    CloseHandle(snapshot);

    DWORD desktop = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &desktop);
    DWORD services = 0;
    for (int i = 0; i < count; ++i)
        if (lstrcmpiA(all[i].szExeFile, "services.exe") == 0)
            services = all[i].th32ProcessID;
    for (int i = 0; i < count; ++i) {
        DWORD id = all[i].th32ProcessID;
        if (id == GetCurrentProcessId() || id == desktop || id == services
            || all[i].th32ParentProcessID == services)
            continue;
        if (EndProcessById(id))
            printf("ended %lu %s\n", static_cast<unsigned long>(id), all[i].szExeFile);
    }
    return 0;
}

// Each face the program asks for, at a weight, its stand-in here
// (tests/env/prefix.sh), and how wide that must be at least: the average letter
// in thousandths of an em (Arial Black's own: docs/testing.md, "Fonts").
struct FaceCheck { const char* asked; int weight; const char* standIn; LONG minWidth; };
const FaceCheck CheckedFaces[] = {
    { "Arial", FW_NORMAL, "Liberation Sans", 0 },
    { "Arial Narrow", FW_BOLD, "Liberation Sans Narrow", 0 },
    { "Arial Black", FW_NORMAL, "DejaVu Sans Bold", 691 },
    { "Arial Black", FW_BOLD, "DejaVu Sans Bold", 691 },
    { "Verdana", FW_NORMAL, "DejaVu Sans", 0 },
    { "Georgia", FW_BOLD, "DejaVu Serif Condensed", 0 },
};

static UINT ScreenDpiOf()
{
    HDC dc = GetDC(0);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(0, dc);
    return static_cast<UINT>(dpi);
}

// What GDI makes of a face asked for by name: the face, metrics and base units.
struct Drawn { char face[LF_FACESIZE]; TEXTMETRICA metrics; SIZE units; };
static Drawn Draw(const char* face, int weight, int points, UINT dpi)
{
    Drawn drawn = {};
    HFONT font = MakeDialogFont(face, points, weight, FALSE, DEFAULT_CHARSET, dpi);
    HDC dc = GetDC(0);
    HGDIOBJ before = SelectObject(dc, font);
    GetTextFaceA(dc, sizeof drawn.face, drawn.face);
    GetTextMetricsA(dc, &drawn.metrics);
    SelectObject(dc, before);
    ReleaseDC(0, dc);
    drawn.units = FontBaseUnits(font);
    DeleteObject(font);
    return drawn;
}

static int Faces()
{
    UINT dpi = ScreenDpiOf();
    Drawn dialog = Draw(DIALOG_FONT_FACE, FW_NORMAL, DialogFontPoints, dpi);
    bool right = strcmp(dialog.face, DIALOG_FONT_FACE) == 0
        && (dialog.metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0   // raster
        && (dpi != BaseDpi || (dialog.metrics.tmHeight == 13 && dialog.units.cx == 6));
    printf("%s %s: %s, %ldx%ld\n", right ? "ok" : "WRONG", DIALOG_FONT_FACE, dialog.face,
           dialog.units.cx, dialog.units.cy);
    int wrong = right ? 0 : 1;
    for (const FaceCheck& check : CheckedFaces) {
        // With an em of 1000 pixels; replaced, a face keeps its own name.
        Drawn asked = Draw(check.asked, check.weight, 750, BaseDpi);
        Drawn standIn = Draw(check.standIn, check.weight, 750, BaseDpi);
        right = strcmp(standIn.face, check.standIn) == 0 && standIn.units.cx >= check.minWidth
            && asked.units.cx == standIn.units.cx && asked.units.cy == standIn.units.cy
            && asked.metrics.tmAscent == standIn.metrics.tmAscent;
        printf("%s %s %d: %ldx%ld; %s: %ldx%ld\n", right ? "ok" : "WRONG", check.asked,
               check.weight, asked.units.cx, asked.units.cy, standIn.face, standIn.units.cx,
               standIn.units.cy);
        wrong += right ? 0 : 1;
    }
    return wrong == 0 ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const char* command = argv[1];
    const char* title = argc > 2 ? argv[2] : "";
    DWORD ms = argc > 3 ? strtoul(argv[3], 0, 10) : 10000;

    if (strcmp(command, "wait") == 0 || strcmp(command, "visible") == 0) {
        HWND w = WaitFor(title, ms, strcmp(command, "visible") == 0);
        if (w != 0)
            printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(w)));
        return w != 0 ? 0 : 1;
    }
    if (strcmp(command, "gone") == 0) {
        DWORD start = GetTickCount();
        while (FindTitled(title) != 0) {
            if (GetTickCount() - start >= ms)
                return 1;
            Sleep(20);
        }
        return 0;
    }
    if (strcmp(command, "info") == 0)
        return Info(argc > 3 ? FindTitledWith(title, atoi(argv[3])) : FindTitled(title));
    if (strcmp(command, "text") == 0 || strcmp(command, "checked") == 0) {
        if (argc < 4)
            return 1;
        int id = atoi(argv[3]);
        HWND w = FindTitledWith(title, id);
        if (w == 0)
            return 1;
        if (strcmp(command, "checked") == 0) {
            printf("%d\n", IsDlgButtonChecked(w, id) == BST_CHECKED ? 1 : 0);
            return 0;
        }
        char text[4096] = "";
        GetDlgItemTextA(w, id, text, sizeof text);
        PrintEscaped(text);
        printf("\n");
        return 0;
    }
    if (strcmp(command, "center") == 0) {
        HWND w = argc > 3 ? GetDlgItem(FindTitledWith(title, atoi(argv[3])), atoi(argv[3]))
                          : FindTitled(title);
        return PrintCenter(w);
    }
    if (strcmp(command, "boxcenter") == 0 && argc > 3) {
        HWND box = FindMessageBox(title);
        return PrintCenter(box != 0 ? GetDlgItem(box, atoi(argv[3])) : 0);
    }
    if (strcmp(command, "focus") == 0)
        return Focus();
    if (strcmp(command, "msgbox") == 0)
        return MessageBoxInfo(title, ms);
    if ((strcmp(command, "post") == 0 || strcmp(command, "send") == 0) && argc >= 6) {
        HWND w = FindTitled(title);
        if (w == 0)
            return 1;
        UINT message = MessageNumber(argv[3]);
        WPARAM wParam = static_cast<WPARAM>(strtoull(argv[4], 0, 0));
        LPARAM lParam = static_cast<LPARAM>(strtoll(argv[5], 0, 0));
        if (command[0] == 'p')
            return PostMessageA(w, message, wParam, lParam) ? 0 : 1;
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(w, message, wParam, lParam, SMTO_NORMAL, 5000, &result) ? 0 : 1;
    }
    if (strcmp(command, "foreground") == 0) {
        HWND w = FindTitled(title);
        return w != 0 && SetForegroundWindow(w) ? 0 : 1;
    }
    if (strcmp(command, "count") == 0)
        return CountWindows(title);
    if (strcmp(command, "rect") == 0) {
        HWND w = argc > 3 ? GetDlgItem(FindTitledWith(title, atoi(argv[3])), atoi(argv[3]))
                          : FindTitled(title);
        return PrintRect(w);
    }
    if (strcmp(command, "picture") == 0 && argc > 3)
        return PrintRect(NthPicture(FindTitled(title), atoi(argv[3])));
    if (strcmp(command, "closebox") == 0) {
        HWND w = FindTitled(title);
        if (w == 0)
            return 1;
        RECT r;
        GetWindowRect(w, &r);
        int frame = GetSystemMetrics(SM_CXDLGFRAME);
        printf("%ld %ld\n", r.right - frame - GetSystemMetrics(SM_CXSIZE) / 2,
               r.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2);
        return 0;
    }
    if ((strcmp(command, "enable") == 0 || strcmp(command, "press") == 0) && argc >= 5) {
        int id = atoi(argv[3]);
        HWND control = GetDlgItem(FindTitledWith(title, id), id);
        if (control == 0)
            return 1;
        if (command[0] == 'e')
            return EnableWindow(control, atoi(argv[4]) != 0), 0;
        for (int i = atoi(argv[4]); i > 0; --i) {
            SendMessageA(control, BM_SETSTATE, TRUE, 0);
            SendMessageA(control, BM_SETSTATE, FALSE, 0);
        }
        return 0;
    }
    if (strcmp(command, "cover") == 0)
        return Cover(FindTitled(title), ms);
    if (strcmp(command, "gdi") == 0)
        return GdiOf(FindTitled(title));
    if (strcmp(command, "cycle") == 0 && argc >= 4)
        return Cycle(title, atoi(argv[3]));
    if (strcmp(command, "ping") == 0 && argc >= 4)
        return Ping(FindTitled(title), ms, argc > 4 ? argv[4] : 0, argc > 5 ? argv[5] : 0);
    if (strcmp(command, "showwindow") == 0 && argc >= 4) {
        HWND w = FindTitled(title);
        return w != 0 ? (ShowWindow(w, atoi(argv[3])), 0) : 1;
    }
    if (strcmp(command, "manifest") == 0 && argc >= 4)
        return CopyManifest(argv[2], argv[3]);
    if (strcmp(command, "windows") == 0) {
        EnumWindows(PrintTopLevel, 0);
        return 0;
    }
    if (strcmp(command, "runvalue") == 0)
        return PrintRunValue(title);
    if (strcmp(command, "endwindow") == 0)
        return EndWindowOwner(FindTitled(title));
    if (strcmp(command, "shelllist") == 0)
        return OpenShellList();
    if (strcmp(command, "end") == 0)
        return EndPrefixPrograms();
    if (strcmp(command, "shortpath") == 0) {       // a path's 8.3 form, as a shortcut may give it
        char path[MAX_PATH];
        DWORD length = GetShortPathNameA(title, path, sizeof path);
        if (length == 0 || length >= sizeof path)
            return 1;
        printf("%s\n", path);
        return 0;
    }
    if (strcmp(command, "faces") == 0)
        return Faces();
    if (strcmp(command, "layout") == 0) {
        SIZE units = DialogBaseUnits(ScreenDpiOf());
        printf("%d %ldx%ld\n", LayoutDpi(units.cx, units.cy), units.cx, units.cy);
        return 0;
    }
    return 2;
}
