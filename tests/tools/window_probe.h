// What another program can learn of a window, shared by cplook, cpsmoke, the
// Win32 tests and the benchmark: how long its thread keeps a sender waiting,
// where its thread's keyboard focus is, the message box it shows; and the end of
// a process by its id.
#ifndef CLICKPOCKET_TEST_WINDOW_PROBE_H
#define CLICKPOCKET_TEST_WINDOW_PROBE_H

#include <windows.h>
#include <mmsystem.h>

#include <stdio.h>

inline double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart)
           / static_cast<double>(frequency.QuadPart);
}

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// WM_NULL sent to a window (SendMessageTimeout) about once a millisecond, for
// limitMs, until `stop` is set or until `done` says so: the answers and the
// longest wait for one. At a steady pace, not back to back: on a machine of two
// cores a pinger that never rests takes a core and much of the wineserver's time,
// and measures its own starvation as much as the thread's answer.
struct Pinger {
    HWND window;
    DWORD limitMs;
    bool (*done)();             // asked after each answer; may be 0
    FILE* waits;                // each wait in ms, one a line, where wanted
    volatile LONG stop;
    const char* pace;           // how the pace was kept
    unsigned long answers;
    unsigned long unanswered;
    double longestMs;
    double pingedMs;
};

inline double PingsPerSecond(const Pinger& pinger)
{
    double sent = static_cast<double>(pinger.answers + pinger.unanswered);
    return pinger.pingedMs > 0 ? 1000.0 * sent / pinger.pingedMs : 0;
}

// The pace is a periodic waitable timer of 1 ms. Windows keeps a timer only to
// its resolution, 15.6 ms unless raised (Sleep(1) waits as long): a
// high-resolution timer (CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, Windows 10 1803
// and later) keeps 1 ms by itself; where it is refused, timeBeginPeriod(1) raises
// the system's timer while the pinger runs. A late answer is followed by the next
// message at once, and then the pace again: no catching up.
inline void PingSteadily(Pinger* pinger)
{
    HANDLE timer = CreateWaitableTimerExW(0, 0, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    bool raised = timer == 0 && timeBeginPeriod(1) == TIMERR_NOERROR;
    pinger->pace = timer != 0 ? "high-resolution waitable timer"
                   : raised   ? "timeBeginPeriod(1) and a waitable timer" : "waitable timer";
    if (timer == 0)
        timer = CreateWaitableTimerW(0, FALSE, 0);
    LARGE_INTEGER due;
    due.QuadPart = -10000;      // 1 ms from now, in units of 100 ns; then every ms
    SetWaitableTimer(timer, &due, 1, 0, 0, FALSE);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    while (MillisecondsSince(start) < pinger->limitMs
           && InterlockedCompareExchange(&pinger->stop, 0, 0) == 0) {
        LARGE_INTEGER sent;
        QueryPerformanceCounter(&sent);
        DWORD_PTR result;
        if (SendMessageTimeoutA(pinger->window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
            ++pinger->answers;
        else
            ++pinger->unanswered;
        double waited = MillisecondsSince(sent);
        if (waited > pinger->longestMs)
            pinger->longestMs = waited;
        if (pinger->waits != 0)
            fprintf(pinger->waits, "%.2f\n", waited);
        if (pinger->done != 0 && pinger->done())
            break;
        WaitForSingleObject(timer, INFINITE);
    }
    pinger->pingedMs = MillisecondsSince(start);
    CloseHandle(timer);
    if (raised)
        timeEndPeriod(1);
}

inline DWORD WINAPI PingOnThread(void* pinger)
{
    PingSteadily(static_cast<Pinger*>(pinger));
    return 0;
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
