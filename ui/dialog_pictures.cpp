#include "dialog_pictures.h"

#include "../core/display_scale.h"
#include "../core/globals.h"

static HBITMAP LoadStoredPicture(const DialogPicture& picture, int percent)
{
    char name[64];
    if (percent == 100)
        lstrcpynA(name, picture.name, sizeof name);
    else
        wsprintfA(name, "%s_%d", picture.name, percent);
    return static_cast<HBITMAP>(LoadImageA(AppInstance, name, IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
}

static HBITMAP ScalePicture(HBITMAP master, int width, int height)
{
    BITMAP from;
    if (GetObjectA(master, sizeof from, &from) == 0)
        return 0;
    BITMAPINFO format;
    ZeroMemory(&format, sizeof format);
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = 0;
    HBITMAP scaled = CreateDIBSection(0, &format, DIB_RGB_COLORS, &bits, 0, 0);
    if (scaled == 0)
        return 0;
    HDC source = CreateCompatibleDC(0);
    HDC target = CreateCompatibleDC(0);
    HGDIOBJ sourceBefore = SelectObject(source, master);
    HGDIOBJ targetBefore = SelectObject(target, scaled);
    // HALFTONE averages the master's pixels into each pixel of the picture; it
    // takes the brush origin as it stands after the mode is set.
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, 0);
    StretchBlt(target, 0, 0, width, height, source, 0, 0, from.bmWidth, from.bmHeight, SRCCOPY);
    SelectObject(source, sourceBefore);
    SelectObject(target, targetBefore);
    DeleteDC(source);
    DeleteDC(target);
    return scaled;
}

HBITMAP MakePictureForDpi(const DialogPicture& picture, UINT dpi)
{
    int percent = PickPictureScale(static_cast<int>(dpi));
    HBITMAP master = LoadStoredPicture(picture, percent);
    if (master == 0 || static_cast<int>(dpi) == DpiOfScale(percent))
        return master;
    HBITMAP scaled = ScalePicture(master, ScaleToDpi(picture.width, dpi),
                                  ScaleToDpi(picture.height, dpi));
    DeleteObject(master);
    return scaled;
}

static bool IsPictureControl(HWND child)
{
    char className[16];
    return GetClassNameA(child, className, sizeof className) != 0
        && lstrcmpiA(className, "Static") == 0
        && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

static void SwapPicture(HWND control, HBITMAP picture)
{
    // A control without SS_CENTERIMAGE takes the new bitmap's size.
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
    if (previous != 0 && previous != picture)
        DeleteObject(previous);
}

void ShowDialogPictures(HWND dialog, const DialogPicture* pictures, int count, bool opening)
{
    // Each picture grows with the layout around it, not with the DPI itself.
    UINT dpi = LayoutDpiOf(dialog);
    if (opening && dpi == BaseDpi)
        return;
    int next = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != 0 && next < count;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureControl(child))
            continue;
        HBITMAP picture = MakePictureForDpi(pictures[next++], dpi);
        if (picture != 0)       // none: the control keeps the one it has
            SwapPicture(child, picture);
    }
}

void ReleaseDialogPictures(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureControl(child))
            continue;
        HANDLE picture = reinterpret_cast<HANDLE>(
            SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (picture != 0)
            DeleteObject(picture);
    }
}
