// A form that moves to a monitor of another resolution gets WM_DPICHANGED from the system; here
// the test sends it, since neither Wine nor a single-monitor machine moves a window between
// resolutions.

#include <windows.h>

#include <gtest/gtest.h>

#include "forms/fIF.h"

namespace tavrill {
namespace {

// A child's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveToDpi(HWND form, int dpi, int from) {
    RECT r{};
    GetWindowRect(form, &r);
    RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, dpi, from),
                   r.top + MulDiv(r.bottom - r.top, dpi, from)};
    SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

LONG FontHeightOf(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

TEST(FormDpiTest, ControlsFontsAndSpinBoxesFollowAMoveToAnotherResolutionAndBack) {
    TfrmIF form;
    const int from = form.Dpi();
    HWND ok = GetDlgItem(form.Handle(), IDOK);
    HWND spin = GetDlgItem(form.Handle(), 103);  // kSpin1
    HWND updown = GetWindow(spin, GW_HWNDNEXT);
    const RECT okBefore = PlaceOf(ok);
    const RECT spinBefore = PlaceOf(spin);
    const RECT updownBefore = PlaceOf(updown);

    const int to = 2 * from;
    MoveToDpi(form.Handle(), to, from);
    EXPECT_EQ(form.Dpi(), to);
    const RECT okAfter = PlaceOf(ok);
    EXPECT_EQ(okAfter.left, MulDiv(okBefore.left, to, from));
    EXPECT_EQ(okAfter.top, MulDiv(okBefore.top, to, from));
    EXPECT_EQ(okAfter.right - okAfter.left, MulDiv(okBefore.right - okBefore.left, to, from));
    EXPECT_EQ(FontHeightOf(ok), -MulDiv(8, to, 72));
    // The up-down control sits again at the right end of its box, as tall as the box.
    const RECT spinAfter = PlaceOf(spin), updownAfter = PlaceOf(updown);
    EXPECT_EQ(updownAfter.left - spinAfter.right, updownBefore.left - spinBefore.right);
    EXPECT_EQ(updownAfter.bottom - updownAfter.top, spinAfter.bottom - spinAfter.top);
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, MulDiv(292, to, 96)) << "a form of fixed size gets its layout's size";

    MoveToDpi(form.Handle(), from, to);
    const RECT okBack = PlaceOf(ok), spinBack = PlaceOf(spin), updownBack = PlaceOf(updown);
    EXPECT_TRUE(EqualRect(&okBack, &okBefore));
    EXPECT_TRUE(EqualRect(&spinBack, &spinBefore));
    EXPECT_TRUE(EqualRect(&updownBack, &updownBefore));
    EXPECT_EQ(FontHeightOf(ok), -MulDiv(8, from, 72));
}

}  // namespace
}  // namespace tavrill
