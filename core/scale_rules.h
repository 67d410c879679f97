// The arithmetic of display scales, apart from any window: a size at a DPI, and
// which stored picture a picture shown at a DPI is made from. Plain integers
// only, so it builds and is tested anywhere.
#ifndef CLICKPOCKET_SCALE_RULES_H
#define CLICKPOCKET_SCALE_RULES_H

enum { BaseDpi = 96 };      // 100 %: what every size in the resources is made for

// A size in pixels at 100 %, at another DPI: rounded to the nearest pixel, halves
// up, as MulDiv rounds (and with it the dialog manager).
inline int ScaleToDpi(int size, int dpi)
{
    return static_cast<int>((static_cast<long long>(size) * dpi + BaseDpi / 2) / BaseDpi);
}

// The dialog base units every template is laid out for: its font, "MS Sans
// Serif" 8, at 100 % on a Windows whose raster set is the 96-DPI one (an average
// letter 6 pixels wide, a line 13 high).
enum { BaseUnitsX = 6, BaseUnitsY = 13 };

// The DPI that sizes made for 100 % are scaled to so that they grow as a dialog's
// layout grows: the dialog manager lays a template out in its base units, which
// follow the raster size GDI picks for the dialog font at the DPI, in steps,
// faster or slower than the DPI itself. Of the growths across and down the
// smaller, rounded down: a text or picture grown by it takes no more of its
// control, either way, than at 100 %.
inline int LayoutDpi(int unitsX, int unitsY)
{
    if (unitsX <= 0 || unitsY <= 0)
        return BaseDpi;     // nothing measured: as made
    int across = unitsX * BaseDpi / BaseUnitsX;
    int down = unitsY * BaseDpi / BaseUnitsY;
    return across < down ? across : down;
}

// The scales each picture is stored at, in percent: the picture itself, and the
// masters beside it (drawn by tools/gen_art.cpp at those sizes).
static const int PictureScales[] = { 100, 200, 350 };
enum { PictureScaleCount = sizeof PictureScales / sizeof PictureScales[0] };

inline int DpiOfScale(int percent)
{
    return percent * BaseDpi / 100;
}

// The stored picture that a picture shown at `dpi` is made from: the smallest
// at or above that DPI, which is scaled down (or shown as it is at its own
// DPI); above the largest, the largest, which then has to be stretched.
inline int PickPictureScale(int dpi)
{
    for (int i = 0; i < PictureScaleCount; ++i) {
        if (DpiOfScale(PictureScales[i]) >= dpi)
            return PictureScales[i];
    }
    return PictureScales[PictureScaleCount - 1];
}

#endif
