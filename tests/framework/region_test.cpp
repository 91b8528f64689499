// Region wrappers, drag frames and point-size fonts, checked by their pixels.
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::MemoryCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// What the wrappers add is the temporary objects' lifetime: the wrapper goes, the region stays.
TEST(Region, TemporaryWrappersLeaveTheRegion)
{
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 20, 20));
    CRgn* pTemp = CRgn::FromHandle((HRGN)region.GetSafeHandle());
    ASSERT_NE(nullptr, pTemp);
    EXPECT_NE(&region, pTemp);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(region.PtInRegion(2, 2));
    EXPECT_EQ(nullptr, CRgn::FromHandle(nullptr));
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
    CWnd::DeleteTempMap();
}

}   // namespace
