// Regions, region drawing, drag frames and point-size fonts, checked by their pixels.
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::MemoryCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// The wrappers pass regions through; what they add is the temporary objects' lifetime.
TEST(Region, CombinedRegionsAndTemporaries)
{
    CRgn square, circle, result;
    ASSERT_TRUE(square.CreateRectRgn(0, 0, 20, 20));
    ASSERT_TRUE(circle.CreateEllipticRgn(10, 10, 30, 30));
    ASSERT_TRUE(result.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&square, &circle, RGN_DIFF));
    EXPECT_TRUE(result.PtInRegion(2, 2));
    EXPECT_FALSE(result.PtInRegion(18, 18));
    CRgn* pTemp = CRgn::FromHandle((HRGN)result.GetSafeHandle());
    ASSERT_NE(nullptr, pTemp);
    EXPECT_NE(&result, pTemp);
    CWnd::DeleteTempMap();   // the wrapper goes, the region stays
    EXPECT_TRUE(result.PtInRegion(2, 2));
    EXPECT_EQ(nullptr, CRgn::FromHandle(nullptr));
}

TEST(Region, DCFillsFramesAndClipsToRegions)
{
    MemoryCanvas canvas(40, 40);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.dc()));
    CRgn rgn;
    rgn.CreateRectRgn(5, 5, 15, 15);
    CBrush red(RGB(255, 0, 0)), blue(RGB(0, 0, 255));
    EXPECT_TRUE(dc.FillRgn(&rgn, &red));
    EXPECT_EQ(100, canvas.Count(RGB(255, 0, 0)));
    EXPECT_TRUE(dc.FrameRgn(&rgn, &blue, 1, 1));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(6, 6));
    EXPECT_EQ(36, canvas.Count(RGB(0, 0, 255)));
    CRgn clip;
    clip.CreateRectRgn(20, 20, 30, 30);
    EXPECT_EQ(SIMPLEREGION, dc.SelectClipRgn(&clip));
    dc.FillSolidRect(0, 0, 40, 40, kBlack);
    EXPECT_EQ(100, canvas.Count(kBlack));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(8, 8));
    dc.SelectClipRgn(nullptr);
    dc.SelectObject(&blue);
    EXPECT_TRUE(dc.PaintRgn(&rgn));
    EXPECT_EQ(100, canvas.Count(RGB(0, 0, 255)));   // the frame was inside it
    dc.Detach();
}

// Pixels of a canvas that differ from white.
int Changed(const MemoryCanvas& canvas)
{
    return canvas.width() * canvas.height() - canvas.Count(kWhite);
}

// True when both canvases hold the same pixels.
bool SamePixels(const MemoryCanvas& a, const MemoryCanvas& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

class DragRect : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dc.Attach(canvas.dc()));
        ASSERT_TRUE(reference.Attach(expected.dc()));
    }
    void TearDown() override
    {
        dc.Detach();
        reference.Detach();
    }

    MemoryCanvas canvas{60, 60};
    MemoryCanvas expected{60, 60};
    CDC dc, reference;
    const CRect first{10, 10, 40, 40};
    const CRect moved{20, 15, 50, 45};
    const CSize thick{3, 3};
    const int frameArea = 30 * 30 - 24 * 24;
};

TEST_F(DragRect, HalftoneFrameIsInvertedMovedAndErased)
{
    dc.DrawDragRect(first, thick, nullptr, thick);
    EXPECT_EQ(frameArea / 2, canvas.Count(kBlack));   // every other pixel of the frame
    EXPECT_EQ(frameArea / 2, Changed(canvas));
    EXPECT_NE(canvas.Pixel(10, 10), canvas.Pixel(11, 10));
    EXPECT_NE(canvas.Pixel(12, 20), canvas.Pixel(12, 21));
    for (int x = 13; x < 37; ++x)
        EXPECT_EQ(kWhite, canvas.Pixel(x, 25)) << x;   // inside the frame
    EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
    EXPECT_EQ(kWhite, canvas.Pixel(40, 40));
    dc.DrawDragRect(first, thick, nullptr, thick);
    EXPECT_EQ(0, Changed(canvas));
    // Moving touches only what changes.
    dc.DrawDragRect(first, thick, nullptr, thick);
    dc.DrawDragRect(moved, thick, first, thick);
    reference.DrawDragRect(moved, thick, nullptr, thick);
    EXPECT_TRUE(SamePixels(canvas, expected));
    EXPECT_EQ(frameArea / 2, Changed(canvas));
    dc.DrawDragRect(moved, thick, moved, thick);   // same place: nothing to do
    EXPECT_TRUE(SamePixels(canvas, expected));
    const CRect none(0, 0, 0, 0);
    dc.DrawDragRect(none, CSize(0, 0), moved, thick);   // the final erase
    EXPECT_EQ(0, Changed(canvas));
}

TEST_F(DragRect, SolidBrushesAndAChangeOfBrush)
{
    CBrush white(kWhite);
    dc.DrawDragRect(first, thick, nullptr, thick, &white);
    EXPECT_EQ(frameArea, canvas.Count(kBlack));
    EXPECT_EQ(kBlack, canvas.Pixel(12, 25));
    EXPECT_EQ(kWhite, canvas.Pixel(13, 25));
    // Thickness changes too: the old frame goes with its brush, the new one comes with the halftone.
    dc.DrawDragRect(moved, CSize(1, 2), first, thick, nullptr, &white);
    reference.DrawDragRect(moved, CSize(1, 2), nullptr, CSize(1, 2));
    EXPECT_TRUE(SamePixels(canvas, expected));
}

TEST_F(DragRect, FollowsTheViewportOrigin)
{
    CBrush white(kWhite);
    dc.SetViewportOrg(5, 5);
    dc.DrawDragRect(first, thick, nullptr, thick, &white);
    EXPECT_EQ(kBlack, canvas.Pixel(15, 15));
    EXPECT_EQ(kWhite, canvas.Pixel(14, 14));
    EXPECT_EQ(frameArea, canvas.Count(kBlack));
}

TEST(Font, PointSizesFollowTheDC)
{
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    const int dpi = screen.GetDeviceCaps(LOGPIXELSY);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
    LOGFONTA logFont{};
    ASSERT_EQ((int)sizeof logFont, font.GetLogFont(&logFont));
    EXPECT_EQ(-::MulDiv(120, dpi, 720), logFont.lfHeight);
    EXPECT_STREQ("Arial", logFont.lfFaceName);
    // In twips 12 points are 240 units, whatever the resolution.
    CDC twips;
    ASSERT_TRUE(twips.CreateCompatibleDC(&screen));
    ::SetMapMode(twips, MM_TWIPS);
    CFont large;
    ASSERT_TRUE(large.CreatePointFont(120, "Arial", &twips));
    large.GetLogFont(&logFont);
    EXPECT_NEAR(-240, logFont.lfHeight, 240 / dpi + 1);
    ::ReleaseDC(nullptr, screen.Detach());
    CFont* pTemp = CFont::FromHandle((HFONT)font.GetSafeHandle());
    ASSERT_NE(nullptr, pTemp);
    LOGFONTA again{};
    pTemp->GetLogFont(&again);
    EXPECT_EQ(-::MulDiv(120, dpi, 720), again.lfHeight);
    CFont explicitFont;
    ASSERT_TRUE(explicitFont.CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
    explicitFont.GetLogFont(&logFont);
    EXPECT_EQ(-20, logFont.lfHeight);
    EXPECT_EQ(FW_BOLD, logFont.lfWeight);
    EXPECT_TRUE(logFont.lfItalic);
    CWnd::DeleteTempMap();
}

}   // namespace
