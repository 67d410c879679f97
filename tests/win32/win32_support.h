// Helpers for the Windows tests: scratch folders, message pumping, and a watcher
// that answers the program's message boxes so a test never blocks on one.
#ifndef CLICKPOCKET_WIN32_SUPPORT_H
#define CLICKPOCKET_WIN32_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

#include "core/display_scale.h"

// A fresh folder under the temporary folder, removed with its contents at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return path_; }   // ends in a backslash
    std::string file(const char* name) const { return path_ + name; }
private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
bool PathIsFolder(const std::string& path);

// Dispatches this thread's pending messages for a while.
void PumpMessages(DWORD milliseconds);

struct SeenMessageBox {
    std::string caption;
    std::string text;
    HWND owner;
    UINT defaultButton;     // the button id that had the focus
};

// Watches for message boxes of this process from a second thread; each one seen
// is recorded and closed with the given answer (IDOK, IDYES, IDNO).
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(int answer = IDOK);
    ~MessageBoxWatcher();
    std::vector<SeenMessageBox> seen() const;
private:
    static DWORD WINAPI Run(void* self);
    int answer_;
    volatile LONG stop_;
    HANDLE thread_;
    mutable CRITICAL_SECTION lock_;
    std::vector<SeenMessageBox> seen_;
};

// The DPI this test program runs at: the LogPixels of its prefix (96, or 144
// and 192 in the runs at those scales).
UINT ScreenDpi();

// Plays a monitor of another scale for the life of the object: every window the
// program asks about is at `dpi` (0: Windows without GetDpiForWindow, where the
// program reads LOGPIXELSY). The other looked-up calls can be taken away too.
class DisplayAt {
public:
    explicit DisplayAt(UINT dpi);
    ~DisplayAt();
    void Play(UINT dpi);            // now at another
    void WithoutNewerCalls();       // no GetSystemMetricsForDpi, SetDialog... either
private:
    DisplayScaleCalls saved_;
};

// Sends a window WM_DPICHANGED as Windows sends it when the window has moved to
// a monitor at `toDpi`: with the rectangle it suggests (its place, its size
// scaled from the DPI it had). What that posts is left in the queue.
void SendDpiChange(HWND window, UINT fromDpi, UINT toDpi);

// The width of an icon's images (0 for no icon).
int IconWidth(HICON icon);

// Points InstallDir and PocketDir at a folder for the length of a test.
void UseInstallDir(const std::string& folder);

// The control window from its template, with its install folder in `folder`,
// for the length of a test; closed as Exit closes it, its quit message taken back.
bool OpenControlWindow(const ScratchFolder& folder);
void CloseControlWindow();

#endif
