// Helpers for the Windows tests: scratch folders, message pumping, and a watcher
// that answers the program's message boxes so a test never blocks on one.
#ifndef CLICKPOCKET_WIN32_SUPPORT_H
#define CLICKPOCKET_WIN32_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

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

// Points InstallDir and PocketDir at a folder for the length of a test.
void UseInstallDir(const std::string& folder);

// The control window from its template, with its install folder in `folder`,
// for the length of a test; closed as Exit closes it, its quit message taken back.
bool OpenControlWindow(const ScratchFolder& folder);
void CloseControlWindow();

#endif
