#include "smoke_input.h"

enum { TargetStartLimitMs = 10000, ForegroundLimitMs = 2000, PressMs = 60 };

static bool IsVisibleWindowOf(HWND window, DWORD process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == process && IsWindowVisible(window);
}

bool StartClickTarget(const std::wstring& program, const std::wstring& title,
                      const std::wstring& log, ClickTarget* target)
{
    target->process = 0;
    target->window = 0;
    target->log = log;
    std::wstring command = L"\"" + program + L"\" \"" + title + L"\" \"" + log + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    if (!CreateProcessW(program.c_str(), &command[0], 0, 0, FALSE, 0, 0, 0, &startup, &started))
        return false;
    CloseHandle(started.hThread);
    target->process = started.hProcess;
    for (DWORD start = GetTickCount(); GetTickCount() - start < TargetStartLimitMs; Sleep(20)) {
        HWND window = FindWindowW(0, title.c_str());
        if (window != 0 && IsVisibleWindowOf(window, started.dwProcessId)) {
            target->window = window;
            return true;
        }
        if (WaitForSingleObject(started.hProcess, 0) == WAIT_OBJECT_0)
            break;
    }
    EndClickTarget(target);
    return false;
}

void EndClickTarget(ClickTarget* target)
{
    if (target->process == 0)
        return;
    if (target->window != 0)
        PostMessageW(target->window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(target->process, 3000) != WAIT_OBJECT_0) {
        TerminateProcess(target->process, 1);
        WaitForSingleObject(target->process, 3000);
    }
    CloseHandle(target->process);
    target->process = 0;
    target->window = 0;
}

int MiddleButtonMessages(const ClickTarget& target)
{
    HANDLE file = CreateFileW(target.log.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0,
                              OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    std::string text;
    char chunk[4096];
    DWORD read;
    while (ReadFile(file, chunk, sizeof chunk, &read, 0) && read > 0)
        text.append(chunk, read);
    CloseHandle(file);
    int count = 0;
    for (size_t at = text.find("MBUTTON"); at != std::string::npos;
         at = text.find("MBUTTON", at + 1))
        ++count;
    return count;
}

static void SendMouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

static void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

static bool WaitForeground(HWND window, DWORD ms)
{
    for (DWORD start = GetTickCount(); GetForegroundWindow() != window; Sleep(20)) {
        if (GetTickCount() - start >= ms)
            return false;
    }
    return true;
}

bool ClickPointOf(HWND window, POINT* point)
{
    RECT client;
    if (!GetClientRect(window, &client))
        return false;
    point->x = (client.left + client.right) / 2;
    point->y = (client.top + client.bottom) / 2;
    ClientToScreen(window, point);
    HWND under = WindowFromPoint(*point);
    return under == window || IsChild(window, under);
}

bool TakeForeground(HWND window)
{
    SetForegroundWindow(window);
    if (WaitForeground(window, 300))
        return true;
    // A click gives the foreground to the window clicked, whoever holds it.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    POINT point;
    bool clicked = ClickPointOf(window, &point);
    if (clicked) {
        SetCursorPos(point.x, point.y);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        Sleep(PressMs);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    bool taken = clicked && WaitForeground(window, ForegroundLimitMs);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return taken;
}

void MiddleClickAt(POINT point, bool leftControl)
{
    SetCursorPos(point.x, point.y);
    Sleep(PressMs);
    if (leftControl) {
        SendKey(VK_LCONTROL, false);
        Sleep(PressMs);
    }
    SendMouse(MOUSEEVENTF_MIDDLEDOWN);
    Sleep(PressMs);
    SendMouse(MOUSEEVENTF_MIDDLEUP);
    if (leftControl) {
        Sleep(PressMs);
        SendKey(VK_LCONTROL, true);
    }
}
