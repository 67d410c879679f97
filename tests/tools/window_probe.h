// What another program can learn of a window, shared by cplook and cpsmoke: how
// long its thread keeps a sender waiting, where its thread's keyboard focus is,
// the message box it shows; and the end of a process by its id.
#ifndef CLICKPOCKET_TEST_WINDOW_PROBE_H
#define CLICKPOCKET_TEST_WINDOW_PROBE_H

#include <windows.h>

inline double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart)
           / static_cast<double>(frequency.QuadPart);
}

// Answers to WM_NULL sent back to back, and the longest wait for one.
struct PingTally {
    unsigned long answers;
    unsigned long unanswered;
    double longestMs;
};

inline void PingOnce(HWND window, PingTally* tally)
{
    LARGE_INTEGER sent;
    QueryPerformanceCounter(&sent);
    DWORD_PTR result;
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
        ++tally->answers;
    else
        ++tally->unanswered;
    double waited = MillisecondsSince(sent);
    if (waited > tally->longestMs)
        tally->longestMs = waited;
}

// The window that has the keyboard focus in the thread of `window`, or null.
inline HWND ThreadFocus(HWND window)
{
    GUITHREADINFO gui;
    gui.cbSize = sizeof gui;
    if (window == 0 || !GetGUIThreadInfo(GetWindowThreadProcessId(window, 0), &gui))
        return 0;
    return gui.hwndFocus;
}

// A visible message box (a #32770 dialog whose text is control 0xFFFF) with this
// caption, of the given process (0: of any).
inline HWND FindMessageBox(const char* caption, DWORD process = 0)
{
    for (HWND w = FindWindowExA(0, 0, "#32770", caption); w != 0;
         w = FindWindowExA(0, w, "#32770", caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (IsWindowVisible(w) && GetDlgItem(w, 0xFFFF) != 0 && (process == 0 || owner == process))
            return w;
    }
    return 0;
}

inline bool EndProcessById(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == 0)
        return false;
    bool ended = TerminateProcess(process, 1) != FALSE;
    WaitForSingleObject(process, 3000);
    CloseHandle(process);
    return ended;
}

#endif
