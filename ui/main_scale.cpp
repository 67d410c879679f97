#include "main_scale.h"

#include "dialog_icons.h"
#include "../core/display_scale.h"
#include "../core/globals.h"

// What the template says, in dialog units, and the font they are measured in.
struct MainTemplate {
    int width;
    int height;
    int points;
    int weight;
    BYTE italic;
    BYTE charset;
    char face[LF_FACESIZE];
    int count;
    short items[MainLayoutMaxControls][4];     // x, y, cx, cy
};

// Reads the extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX
// items) a field at a time, never past its end.
struct TemplateReader {
    const BYTE* start;
    DWORD size;
    DWORD at;
};

static bool Take(TemplateReader* reader, void* into, DWORD bytes)
{
    if (reader->at + bytes > reader->size)
        return false;
    CopyMemory(into, reader->start + reader->at, bytes);
    reader->at += bytes;
    return true;
}

static WORD TakeWord(TemplateReader* reader)
{
    WORD word = 0;
    if (!Take(reader, &word, sizeof word))
        reader->at = reader->size + 1;      // past the end: every later read fails
    return word;
}

static void Skip(TemplateReader* reader, DWORD bytes)
{
    reader->at += bytes;
}

// A name or an ordinal: 0xFFFF and a number, or a string of UTF-16 units ending
// in 0 (just 0 for none). A string can be kept, as ANSI.
static void SkipNameOrOrdinal(TemplateReader* reader, char* keep, int keepSize)
{
    WORD first = TakeWord(reader);
    if (first == 0xFFFF) {
        TakeWord(reader);
        return;
    }
    WCHAR name[LF_FACESIZE];
    int length = 0;
    for (WORD unit = first; unit != 0 && reader->at <= reader->size; unit = TakeWord(reader)) {
        if (length < LF_FACESIZE - 1)
            name[length++] = unit;
    }
    name[length] = 0;
    if (keep != 0 && WideCharToMultiByte(CP_ACP, 0, name, -1, keep, keepSize, 0, 0) == 0)
        keep[0] = 0;
}

static bool ReadMainTemplate(MainTemplate* read)
{
    HRSRC found = FindResourceA(AppInstance, "clickpocket", reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = found != 0 ? LoadResource(AppInstance, found) : 0;
    TemplateReader reader = { static_cast<const BYTE*>(LockResource(loaded)),
                              found != 0 ? SizeofResource(AppInstance, found) : 0, 0 };
    if (reader.start == 0)
        return false;
    WORD version = TakeWord(&reader);
    WORD signature = TakeWord(&reader);
    if (version != 1 || signature != 0xFFFF)
        return false;       // not an extended template
    DWORD style = 0;
    Skip(&reader, 8);       // help id, extended style
    Take(&reader, &style, sizeof style);
    WORD count = TakeWord(&reader);
    Skip(&reader, 4);       // x, y
    short size[2] = { 0, 0 };
    Take(&reader, size, sizeof size);
    read->width = size[0];
    read->height = size[1];
    SkipNameOrOrdinal(&reader, 0, 0);       // menu
    SkipNameOrOrdinal(&reader, 0, 0);       // class
    SkipNameOrOrdinal(&reader, 0, 0);       // caption
    if ((style & DS_SETFONT) == 0 || count > MainLayoutMaxControls)
        return false;
    read->points = TakeWord(&reader);
    read->weight = TakeWord(&reader);
    WORD italicAndCharset = TakeWord(&reader);
    read->italic = LOBYTE(italicAndCharset);
    read->charset = HIBYTE(italicAndCharset);
    SkipNameOrOrdinal(&reader, read->face, sizeof read->face);
    read->count = count;
    for (int i = 0; i < count; ++i) {
        reader.at = (reader.at + 3) & ~3u;  // each item starts on a DWORD
        Skip(&reader, 12);                  // help id, extended style, style
        if (!Take(&reader, read->items[i], sizeof read->items[i]))
            return false;
        Skip(&reader, 4);                   // id
        SkipNameOrOrdinal(&reader, 0, 0);   // class
        SkipNameOrOrdinal(&reader, 0, 0);   // text
        Skip(&reader, TakeWord(&reader));   // creation data
    }
    return reader.at <= reader.size;
}

static HFONT MakeTemplateFont(const MainTemplate& read, UINT dpi)
{
    return MakeDialogFont(read.face, read.points, read.weight, read.italic, read.charset, dpi);
}

static void LayOut(const MainTemplate& read, HFONT font, MainLayout* layout)
{
    SIZE units = FontBaseUnits(font);
    layout->client.cx = MulDiv(read.width, units.cx, 4);
    layout->client.cy = MulDiv(read.height, units.cy, 8);
    layout->count = read.count;
    for (int i = 0; i < read.count; ++i) {
        const short* item = read.items[i];
        RECT& control = layout->controls[i];
        control.left = MulDiv(item[0], units.cx, 4);
        control.top = MulDiv(item[1], units.cy, 8);
        control.right = control.left + MulDiv(item[2], units.cx, 4);
        control.bottom = control.top + MulDiv(item[3], units.cy, 8);
    }
}

bool LayOutMainTemplate(UINT dpi, MainLayout* layout)
{
    MainTemplate read;
    if (!ReadMainTemplate(&read))
        return false;
    HFONT font = MakeTemplateFont(read, dpi);
    if (font == 0)
        return false;
    LayOut(read, font, layout);
    DeleteObject(font);
    return true;
}

static SIZE WindowSizeFor(HWND window, const SIZE& client, UINT dpi)
{
    RECT frame = { 0, 0, client.cx, client.cy };
    AdjustWindowRectForDpi(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), dpi);
    SIZE size = { frame.right - frame.left, frame.bottom - frame.top };
    return size;
}

LRESULT ScaleMainWindowSize(HWND window, UINT dpi, SIZE* size)
{
    MainLayout layout;
    if (!LayOutMainTemplate(dpi, &layout))
        return FALSE;
    *size = WindowSizeFor(window, layout.client, dpi);
    return TRUE;
}

// The template's font at the window's DPI and the icon at its size, once they
// are the window's own: each is freed when the next takes its place. (The first
// ones are the dialog manager's and the icon control's, and stay theirs.)
static HFONT MainFont;
static HICON MainIcon;

static int IconWidth(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap;
    int width = GetObjectA(info.hbmMask, sizeof bitmap, &bitmap) != 0 ? bitmap.bmWidth : 0;
    DeleteObject(info.hbmMask);
    if (info.hbmColor != 0)
        DeleteObject(info.hbmColor);
    return width;
}

// The icon control takes the size of the icon it is given, also of the one it
// has: it is given one either way once it stands where the template puts it.
static void FitIcon(HWND control, UINT dpi)
{
    int size = MetricForDpi(SM_CXICON, dpi);
    HICON current = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
    HICON icon = current != 0 && IconWidth(current) == size ? current : LoadProgramIcon(size);
    if (icon == 0)
        return;
    SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (icon != current) {
        if (MainIcon != 0)
            DestroyIcon(MainIcon);      // the one just replaced, or a gone window's
        MainIcon = icon;
    }
}

static bool HasStyleType(HWND child, const char* className, LONG typeMask, LONG type)
{
    char name[16];
    return GetClassNameA(child, name, sizeof name) != 0 && lstrcmpiA(name, className) == 0
        && (GetWindowLongA(child, GWL_STYLE) & typeMask) == type;
}

// A styled button repaints its last look by itself and asks for no new draw: a
// full draw, as the button would ask for it, makes its fonts for its new DPI.
static void RedrawOwnerButton(HWND window, HWND button)
{
    DRAWITEMSTRUCT draw;
    ZeroMemory(&draw, sizeof draw);
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (IsWindowEnabled(button) ? 0 : ODS_DISABLED)
                   | (GetFocus() == button ? ODS_FOCUS : 0);
    draw.hwndItem = button;
    draw.hDC = GetDC(button);
    GetClientRect(button, &draw.rcItem);
    SendMessageA(window, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    ReleaseDC(button, draw.hDC);
}

void FollowMainWindowDpi(HWND window, UINT dpi, const RECT* suggested)
{
    MainTemplate read;
    if (!ReadMainTemplate(&read))
        return;
    HFONT font = MakeTemplateFont(read, dpi);
    if (font == 0)
        return;
    MainLayout layout;
    LayOut(read, font, &layout);
    SIZE size = WindowSizeFor(window, layout.client, dpi);
    RECT place;
    GetWindowRect(window, &place);
    if (suggested != 0)
        place = *suggested;
    SetWindowPos(window, 0, place.left, place.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The client area is the template's, whatever the frame turned out to be.
    RECT client;
    GetClientRect(window, &client);
    if (client.right != layout.client.cx || client.bottom != layout.client.cy)
        SetWindowPos(window, 0, 0, 0, size.cx + layout.client.cx - client.right,
                     size.cy + layout.client.cy - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int i = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != 0 && i < layout.count;
         child = GetWindow(child, GW_HWNDNEXT), ++i) {
        const RECT& r = layout.controls[i];
        SetWindowPos(child, 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (HasStyleType(child, "Static", SS_TYPEMASK, SS_ICON))
            FitIcon(child, dpi);
    }
    if (MainFont != 0)
        DeleteObject(MainFont);
    MainFont = font;
    for (HWND child = GetWindow(window, GW_CHILD); child != 0;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (HasStyleType(child, "Button", BS_TYPEMASK, BS_OWNERDRAW))
            RedrawOwnerButton(window, child);
    }
    // The group box, the check box and the icon in their new font and size.
    RedrawWindow(window, 0, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
