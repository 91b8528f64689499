// Painting into memory: OnPaint handlers draw into a caller's DC, and whole
// window trees render with their children and their borders.
#include "testsupport.h"

#include <gtest/gtest.h>

using testing_support::RenderWindow;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// Fills its client area with one colour and marks its top-left pixel.
class CSwatch : public CWnd {
public:
    explicit CSwatch(COLORREF color) : m_color(color) {}
    int paints = 0;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_color);
        dc.SetPixel(0, 0, RGB(0, 255, 0));
    }
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_color;
};

BEGIN_MESSAGE_MAP(CSwatch, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(Paint, PaintHandlersDrawIntoThePrintedDCAndTreesRenderWhole)
{
    CSwatch swatch(kRed);
    ASSERT_TRUE(swatch.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr));
    testing_support::MemoryCanvas canvas(40, 30);
    ::SendMessageA(swatch.m_hWnd, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    EXPECT_EQ(1, swatch.paints);
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(0, 0));
    EXPECT_EQ(kRed, canvas.Pixel(39, 29));
    EXPECT_EQ(40 * 30 - 1, canvas.Count(kRed));
    // A window tree renders its children at their places.
    CSwatch parent(kBlue);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 100, 100, 60, 50, nullptr, nullptr));
    CSwatch child(kRed);
    ASSERT_TRUE(child.Create(nullptr, "", WS_VISIBLE, CRect(10, 20, 30, 30), &parent, 1));
    CSwatch hidden(RGB(9, 9, 9));
    ASSERT_TRUE(hidden.Create(nullptr, "", 0, CRect(0, 0, 60, 50), &parent, 2));
    auto tree = RenderWindow(parent.m_hWnd);
    EXPECT_EQ(kBlue, tree->Pixel(5, 5));
    EXPECT_EQ(RGB(0, 255, 0), tree->Pixel(10, 20));   // child's own origin
    EXPECT_EQ(kRed, tree->Pixel(29, 29));
    EXPECT_EQ(kBlue, tree->Pixel(30, 30));
    EXPECT_EQ(0, tree->Count(RGB(9, 9, 9)));
    EXPECT_EQ(0, hidden.paints);
}

TEST(Paint, ChildrenShowTheirBordersAroundTheirClientAreas)
{
    CSwatch parent(kBlue);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 100, 100, 100, 50, nullptr, nullptr));
    CSwatch sunken(kRed), framed(kRed), both(kRed);
    ASSERT_TRUE(
        sunken.CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 30, parent.m_hWnd, nullptr));
    ASSERT_TRUE(
        framed.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 40, 10, 20, 30, parent.m_hWnd, nullptr));
    ASSERT_TRUE(both.CreateEx(WS_EX_CLIENTEDGE, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 70, 10, 20, 30,
                              parent.m_hWnd, nullptr));
    auto canvas = RenderWindow(parent.m_hWnd);
    const int y = 25;
    // The sunken edge: two dark lines at the left, two light ones at the right, the client inside.
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas->Pixel(10, y));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas->Pixel(11, y));
    EXPECT_EQ(kRed, canvas->Pixel(12, y));
    EXPECT_EQ(kRed, canvas->Pixel(27, y));
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), canvas->Pixel(28, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas->Pixel(29, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas->Pixel(20, 10));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas->Pixel(20, 39));
    EXPECT_EQ(kBlue, canvas->Pixel(9, y));
    EXPECT_EQ(kBlue, canvas->Pixel(30, y));
    // The thin frame, one pixel all round.
    for (const CPoint& at : {CPoint(40, y), CPoint(59, y), CPoint(50, 10), CPoint(50, 39)})
        EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), canvas->Pixel(at.x, at.y)) << at.x << "," << at.y;
    EXPECT_EQ(kRed, canvas->Pixel(41, y));
    // Both: the frame outside, the sunken edge within it.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), canvas->Pixel(70, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas->Pixel(71, y));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas->Pixel(72, y));
    EXPECT_EQ(kRed, canvas->Pixel(73, y));
}

}   // namespace
