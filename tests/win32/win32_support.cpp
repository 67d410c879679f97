#include "win32_support.h"

#include <stdio.h>

#include "core/globals.h"
#include "core/text_util.h"
#include "hook/hook_contract.h"
#include "ui/mainwnd.h"

ScratchFolder::ScratchFolder()
{
    static int counter;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[MAX_PATH + 64];
    wsprintfA(name, "%scp-test-%lu-%d\\", temp, GetCurrentProcessId(), ++counter);
    path_ = name;
    CreateDirectoryA(path_.c_str(), 0);
}

static void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = folder + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full + "\\");
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

void WriteFile(const std::string& path, const std::string& content)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file != 0) {
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
    }
}

std::string ReadFile(const std::string& path)
{
    std::string content;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == 0)
        return "<missing>";
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, n);
    fclose(file);
    return content;
}

bool PathIsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void PumpMessages(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

MessageBoxWatcher::MessageBoxWatcher(int answer) : answer_(answer), stop_(0)
{
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(0, 0, Run, this, 0, 0);
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

std::vector<SeenMessageBox> MessageBoxWatcher::seen() const
{
    EnterCriticalSection(&lock_);
    std::vector<SeenMessageBox> copy = seen_;
    LeaveCriticalSection(&lock_);
    return copy;
}

struct BoxSearch {
    DWORD process;
    HWND found;
};

static BOOL CALLBACK FindOwnBox(HWND window, LPARAM param)
{
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && lstrcmpA(className, "#32770") == 0
        && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF) != 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI MessageBoxWatcher::Run(void* param)
{
    MessageBoxWatcher* self = static_cast<MessageBoxWatcher*>(param);
    while (self->stop_ == 0) {
        BoxSearch search = { GetCurrentProcessId(), 0 };
        EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != 0) {
            SeenMessageBox box;
            char text[8192] = "";
            GetWindowTextA(search.found, text, sizeof text);
            box.caption = text;
            GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
            box.text = text;
            box.owner = GetWindow(search.found, GW_OWNER);
            GUITHREADINFO gui;
            gui.cbSize = sizeof gui;
            box.defaultButton = 0;
            if (GetGUIThreadInfo(GetWindowThreadProcessId(search.found, 0), &gui)
                && gui.hwndFocus != 0)
                box.defaultButton = GetDlgCtrlID(gui.hwndFocus);
            EnterCriticalSection(&self->lock_);
            self->seen_.push_back(box);
            LeaveCriticalSection(&self->lock_);
            PostMessageA(search.found, WM_COMMAND, self->answer_, 0);
            // Wait for it to go before looking for the next one.
            for (int i = 0; i < 200 && IsWindow(search.found); ++i)
                Sleep(10);
        }
        Sleep(10);
    }
    return 0;
}

UINT ScreenDpi()
{
    HDC dc = GetDC(0);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(0, dc);
    return static_cast<UINT>(dpi);
}

static UINT PlayedDpi;

static UINT WINAPI PlayedDpiForWindow(HWND window)
{
    return IsWindow(window) ? PlayedDpi : 0;
}

DisplayAt::DisplayAt(UINT dpi) : saved_(DisplayScale)
{
    Play(dpi);
}

void DisplayAt::Play(UINT dpi)
{
    PlayedDpi = dpi;
    DisplayScale.dpiForWindow = dpi != 0 ? PlayedDpiForWindow : 0;
}

DisplayAt::~DisplayAt()
{
    DisplayScale = saved_;
}

void DisplayAt::WithoutNewerCalls()
{
    DisplayScale.systemMetricsForDpi = 0;
    DisplayScale.adjustWindowRectExForDpi = 0;
    DisplayScale.setDialogControlDpiChangeBehavior = 0;
}

void SendDpiChange(HWND window, UINT fromDpi, UINT toDpi)
{
    RECT place;
    GetWindowRect(window, &place);
    RECT suggested = { place.left, place.top,
                       place.left + MulDiv(place.right - place.left, toDpi, fromDpi),
                       place.top + MulDiv(place.bottom - place.top, toDpi, fromDpi) };
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(toDpi, toDpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

int IconWidth(HICON icon)
{
    ICONINFO info = {};
    BITMAP mask = {};
    if (icon != 0 && GetIconInfo(icon, &info)) {
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        if (info.hbmColor != 0)
            DeleteObject(info.hbmColor);
    }
    return mask.bmWidth;
}

void UseInstallDir(const std::string& folder)
{
    CopyText(InstallDir, sizeof InstallDir, folder.c_str());
    JoinText(PocketDir, sizeof PocketDir, InstallDir, "My ClickPocket");
}

bool OpenControlWindow(const ScratchFolder& folder)
{
    UseInstallDir(folder.path());
    PrivateMessage = RegisterWindowMessageA(PRIVATE_MESSAGE_NAME);
    return CreateMainWindow();
}

void CloseControlWindow()
{
    DestroyWindow(MainWindow);
    MSG quit;
    PeekMessageA(&quit, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
}
