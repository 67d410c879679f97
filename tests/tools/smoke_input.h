// cpsmoke's hands: a program of its own to click on (cpclicktarget, of either
// bitness, which logs every mouse button its window receives), the foreground
// taken for it, and clicks and the Left Ctrl key sent with SendInput.
#ifndef CLICKPOCKET_TEST_SMOKE_INPUT_H
#define CLICKPOCKET_TEST_SMOKE_INPUT_H

#include <windows.h>

#include <string>

struct ClickTarget {
    HANDLE process;
    HWND window;
    std::wstring log;
};

// Starts `program` (a cpclicktarget) with its window titled `title`, logging to
// `log`; false when its window did not show within the limit (nothing is left
// running then).
bool StartClickTarget(const std::wstring& program, const std::wstring& title,
                      const std::wstring& log, ClickTarget* target);
// Closes its window and ends it by its handle, forcing it after a limit.
void EndClickTarget(ClickTarget* target);
// Middle button messages (client area and frame) that the target has logged.
int MiddleButtonMessages(const ClickTarget& target);

// Makes the window the foreground window: asked for directly, and when the
// foreground is held (by a console, as on hosted runners) through a left click
// on it, lifted into the topmost band for the click and put back after it.
bool TakeForeground(HWND window);
// The middle of the window's client area, where a click lands on it (false when
// another window covers that point).
bool ClickPointOf(HWND window, POINT* point);
// Moves the mouse there and clicks the middle button, with Left Ctrl held or not.
void MiddleClickAt(POINT point, bool leftControl);

#endif
