// The library's image list: strips, masks, drawing and the drag image.
#include "image_helpers.h"
#include "jimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace image_test;

namespace {

class ImageList : public GdiLeakCheck {
protected:
    void SetUp() override
    {
        JImageList::ReleaseSharedDCs();
        GdiLeakCheck::SetUp();
    }
    void TearDown() override
    {
        m_list.DeleteImageList();
        JImageList::ReleaseSharedDCs();
        GdiLeakCheck::TearDown();
    }

    // A w x h picture of `colour` with a magenta top-left pixel, added with magenta as key.
    int AddKeyed(COLORREF colour, int w = 4, int h = 4)
    {
        Gdi bitmap(PaintedDib(w, h, 24, colour, {{0, 0}}, kMagenta));
        return m_list.Add(bitmap, kMagenta);
    }

    // Draws image i on a yellow canvas at (1, 1).
    std::unique_ptr<testing_support::MemoryCanvas> DrawOnCanvas(int nImage, UINT nStyle = JILD_TRANSPARENT)
    {
        auto canvas = std::make_unique<testing_support::MemoryCanvas>(8, 8, kYellow);
        DrawOn(*canvas, [&](CDC* pDC) { EXPECT_TRUE(m_list.Draw(nImage, pDC, 1, 1, nStyle)); });
        return canvas;
    }

    JImageList m_list;
};

}   // namespace

TEST_F(ImageList, CreateMakesBlackAndWhiteStripsThatAddedImagesGrowAndDrawTransparently)
{
    ASSERT_TRUE(m_list.Create(4, 3, JILC_MASK, 2, 2));
    EXPECT_EQ(0, m_list.GetImageCount());
    EXPECT_TRUE(m_list.HasMask());
    EXPECT_EQ(CSize(8, 3), CSize(Describe(m_list.GetColorStrip()).bmWidth, Describe(m_list.GetColorStrip()).bmHeight));
    EXPECT_EQ(kBlack, PixelOf(m_list.GetColorStrip(), 7, 2));
    EXPECT_EQ(1, Describe(m_list.GetMaskStrip()).bmBitsPixel);
    EXPECT_EQ(kWhite, PixelOf(m_list.GetMaskStrip(), 7, 2));

    ASSERT_TRUE(m_list.Create(5, 5, 0, 1, 1));
    EXPECT_FALSE(m_list.HasMask());
    EXPECT_FALSE(m_list.Create(0, 5, 0, 1, 1));
    ASSERT_TRUE(m_list.Create(4, 4, JILC_MASK, 1, 2));
    EXPECT_EQ(0, AddKeyed(kRed));
    EXPECT_EQ(1, AddKeyed(kGreen, 8, 8));   // scaled into its slot
    EXPECT_EQ(2, AddKeyed(kBlue));
    EXPECT_EQ(3, m_list.GetImageCount());
    EXPECT_EQ(12, Describe(m_list.GetColorStrip()).bmWidth);   // 1, then 3 slots

    CRect rect;
    ASSERT_TRUE(m_list.GetImageRect(2, &rect));
    EXPECT_EQ(CRect(8, 0, 12, 4), rect);
    EXPECT_EQ(kWhite, PixelOf(m_list.GetMaskStrip(), 8, 0));
    EXPECT_EQ(kBlack, PixelOf(m_list.GetMaskStrip(), 9, 0));

    auto canvas = DrawOnCanvas(2);
    EXPECT_EQ(kYellow, canvas->Pixel(1, 1));   // the key pixel
    ExpectPixels(*canvas, {{2, 1, kBlue}, {4, 4, kBlue}, {5, 4, kYellow}});
    EXPECT_EQ(15, canvas->Count(kBlue));
    // The 8 x 8 picture's key pixel shrank away or stayed one pixel; its colour fills the rest.
    canvas = DrawOnCanvas(1);
    EXPECT_EQ(kGreen, canvas->Pixel(4, 4));
}

TEST_F(ImageList, MasksComeFromTheCallerOrAreRefusedAndIconsTakeThem)
{
    ASSERT_TRUE(m_list.Create(3, 3, JILC_MASK, 4, 4));
    Gdi picture(MakeDib(3, 3, 24, kRed));
    EXPECT_EQ(-1, m_list.Add(picture, (HBITMAP) nullptr)) << "a masked list needs a mask";
    Gdi mask(MonoBitmap(3, 3, false, {{1, 1}}));
    EXPECT_EQ(0, m_list.Add(picture, mask));
    auto canvas = DrawOnCanvas(0);
    ExpectPixels(*canvas, {{1, 1, kRed}, {2, 2, kYellow}});   // the mask's white centre, over red
    EXPECT_EQ(8, canvas->Count(kRed));
    // Replacing 1:1 with a key colour recomputes the mask.
    Gdi other(PaintedDib(3, 3, 24, kGreen, {{2, 2}}, kMagenta));
    EXPECT_TRUE(m_list.Replace(0, other, kMagenta));
    canvas = DrawOnCanvas(0);
    ExpectPixels(*canvas, {{2, 2, kGreen}, {3, 3, kYellow}});
    EXPECT_EQ(8, canvas->Count(kGreen));
    // A key recomputed on the stored image.
    EXPECT_TRUE(m_list.MakeMask(0, kGreen));
    canvas = DrawOnCanvas(0);
    EXPECT_EQ(0, canvas->Count(kGreen));
    // Icons take the system size and the mask.
    ASSERT_TRUE(m_list.Create(4, 4, JILC_MASK, 1, 1));
    AddKeyed(kBlue);
    HICON icon = m_list.ExtractIcon(0);
    ASSERT_NE(nullptr, icon);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    const int cx = ::GetSystemMetrics(SM_CXICON);
    EXPECT_EQ(cx, Describe(info.hbmMask).bmWidth);
    EXPECT_EQ(kWhite, PixelOf(info.hbmMask, 0, 0));
    EXPECT_EQ(kBlack, PixelOf(info.hbmMask, cx - 1, cx - 1));
    EXPECT_EQ(kBlue, PixelOf(info.hbmColor, cx - 1, cx - 1));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ::DestroyIcon(icon);
}

TEST_F(ImageList, RemovingShiftsTheLaterImagesLeftIndexesOutOfRangeFailAndStripsLoadFromResources)
{
    ASSERT_TRUE(m_list.Create(4, 4, JILC_MASK, 3, 1));
    AddKeyed(kRed);
    AddKeyed(kGreen);
    AddKeyed(kBlue);
    ASSERT_TRUE(m_list.SetOverlayImage(2, 1));
    EXPECT_TRUE(m_list.Remove(0));
    EXPECT_EQ(2, m_list.GetImageCount());
    EXPECT_EQ(kGreen, DrawOnCanvas(0)->Pixel(2, 2));
    EXPECT_EQ(kBlue, DrawOnCanvas(1)->Pixel(2, 2));
    EXPECT_EQ(kYellow, DrawOnCanvas(1)->Pixel(1, 1)) << "masks move with their images";
    EXPECT_EQ(1, m_list.GetOverlayImage(1));

    EXPECT_TRUE(m_list.SetImageCount(0));
    EXPECT_EQ(0, m_list.GetImageCount());
    ASSERT_TRUE(m_list.Create(4, 4, JILC_MASK, 2, 2));
    AddKeyed(kRed);
    Gdi picture(MakeDib(4, 4, 24, kBlue));
    testing_support::MemoryCanvas canvas(4, 4);
    CDC dc;
    dc.Attach(canvas.dc());
    CRect rect;
    for (int bad : {-1, 1, 5}) {
        EXPECT_FALSE(m_list.GetImageRect(bad, &rect)) << bad;
        EXPECT_FALSE(m_list.Replace(bad, picture, kBlue)) << bad;
        EXPECT_FALSE(m_list.ReplaceStretched(bad, picture, nullptr)) << bad;
        EXPECT_FALSE(m_list.Remove(bad)) << bad;
        EXPECT_FALSE(m_list.MakeMask(bad, kBlue)) << bad;
        EXPECT_FALSE(m_list.Draw(bad, &dc, 0, 0, JILD_NORMAL)) << bad;
        EXPECT_FALSE(m_list.DrawStretched(bad, &dc, 0, 0, 8, 8, JILD_NORMAL)) << bad;
        EXPECT_EQ(nullptr, m_list.ExtractIcon(bad)) << bad;
        EXPECT_FALSE(m_list.SetOverlayImage(bad, 1)) << bad;
        EXPECT_FALSE(m_list.BeginDrag(bad, CPoint(0, 0))) << bad;
    }
    EXPECT_FALSE(m_list.SetOverlayImage(0, 5));
    EXPECT_FALSE(m_list.SetImageCount(2));
    EXPECT_EQ(kWhite, canvas.Pixel(0, 0)) << "nothing drawn";
    dc.Detach();
    JImageList empty;
    EXPECT_EQ(-1, empty.Add(picture, kBlue)) << "not created";
    // A strip loads from a resource with its key colour; plain, stretched and selected drawing.
    ASSERT_TRUE(m_list.Create(::GetModuleHandleA(nullptr), "STRIP", 4, 2, kMagenta));
    EXPECT_EQ(3, m_list.GetImageCount());
    EXPECT_EQ(CSize(4, 4), m_list.GetImageSize());
    auto strip = DrawOnCanvas(1);
    ExpectPixels(*strip, {{1, 1, kYellow}, {2, 1, kGreen}});
    EXPECT_EQ(15, strip->Count(kGreen));
    EXPECT_EQ(kBlue, DrawOnCanvas(2)->Pixel(4, 4));

    EXPECT_FALSE(m_list.Create(::GetModuleHandleA(nullptr), "NOSUCHSTRIP", 4, 2, kMagenta));
    EXPECT_EQ(0, m_list.GetImageCount());
    ASSERT_TRUE(m_list.Create(2, 2, 0, 1, 1));
    HBITMAP plain = MakeDib(2, 2, 24, kRed);
    EXPECT_EQ(0, m_list.Add(plain, (HBITMAP) nullptr));
    ::DeleteObject(plain);
    EXPECT_EQ(4, DrawOnCanvas(0, JILD_NORMAL)->Count(kRed));

    testing_support::MemoryCanvas big(8, 8, kYellow), selected(4, 4, kYellow);
    DrawOn(big, [&](CDC* pDC) { EXPECT_TRUE(m_list.DrawStretched(0, pDC, 2, 2, 6, 4, JILD_NORMAL)); });
    EXPECT_EQ(24, big.Count(kRed));
    ExpectPixels(big, {{7, 5, kRed}, {1, 2, kYellow}});
    DrawOn(selected, [&](CDC* pDC) { EXPECT_TRUE(m_list.DrawStretched(0, pDC, 0, 0, 4, 4, JILD_SELECTED)); });
    EXPECT_EQ(8, selected.Count(::GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(8, selected.Count(kRed));
}

namespace {

// Drags of a one-image list over a plain pop-up owner, under a watchdog timer that cancels
// any tracking loop outliving its script.
class ImageDrag : public ImageList {
protected:
    void SetUp() override
    {
        const HWND hOwner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr,
                                              nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_owner.Attach(hOwner)) << ::GetLastError();
        ImageList::SetUp();
        s_hOwner = hOwner;
        m_timer = ::SetTimer(nullptr, 0, 5000,
                             [](HWND, UINT, UINT_PTR, DWORD) { ::PostMessageA(s_hOwner, WM_CANCELMODE, 0, 0); });
        ASSERT_TRUE(m_list.Create(4, 4, JILC_MASK, 1, 1));
        AddKeyed(kBlue);
        m_list.SetOwner(&m_owner);
    }
    void TearDown() override
    {
        ImageList::TearDown();
        ::KillTimer(nullptr, m_timer);
        ::DestroyWindow(m_owner.Detach());
    }
    void Post(UINT message, WPARAM wParam, int x, int y) { ::PostMessageA(m_owner, message, wParam, MAKELPARAM(x, y)); }

    static inline HWND s_hOwner = nullptr;
    CWnd m_owner;
    UINT_PTR m_timer = 0;
};

}   // namespace

TEST_F(ImageDrag, FollowsTheMouseUntilTheButtonComesUpOrIsCancelledByEscapeRightClickOrCancelMode)
{
    ASSERT_TRUE(m_list.BeginDrag(0, CPoint(2, 1)));
    EXPECT_FALSE(m_list.BeginDrag(0, CPoint(0, 0))) << "one drag at a time";
    ASSERT_TRUE(m_list.DragEnter(nullptr, CPoint(50, 60)));
    EXPECT_TRUE(m_list.IsDragShown());
    EXPECT_EQ(CPoint(48, 59), m_list.GetDragImagePosition());
    // Client coordinates of the owner, which sits at (100, 100) on the desktop.
    Post(WM_MOUSEMOVE, 0, 10, 20);
    Post(WM_MOUSEMOVE, 0, 30, 40);
    Post(WM_LBUTTONUP, 0, 30, 40);
    EXPECT_TRUE(m_list.TrackDrag());
    CPoint origin(0, 0);
    ::ClientToScreen(m_owner.m_hWnd, &origin);
    EXPECT_EQ(origin + CSize(30 - 2, 40 - 1), m_list.GetDragImagePosition());
    EXPECT_EQ(nullptr, ::GetCapture()) << "capture released";

    EXPECT_TRUE(m_list.DragLeave(nullptr));
    EXPECT_FALSE(m_list.IsDragShown());
    m_list.EndDrag();
    EXPECT_FALSE(m_list.IsDragging());
    CRect ownerRect;
    ::GetWindowRect(m_owner.m_hWnd, &ownerRect);

    struct {
        UINT message;
        WPARAM wParam;
    } const cancels[] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_RBUTTONDOWN, 0}, {WM_CANCELMODE, 0}};
    for (const auto& cancel : cancels) {
        ASSERT_TRUE(m_list.BeginDrag(0, CPoint(0, 0)));
        // Relative to the owner's window rectangle.
        ASSERT_TRUE(m_list.DragEnter(&m_owner, CPoint(5, 5)));
        EXPECT_EQ(ownerRect.TopLeft() + CSize(5, 5), m_list.GetDragImagePosition());
        Post(WM_MOUSEMOVE, 0, 7, 9);
        Post(cancel.message, cancel.wParam, 0, 0);
        EXPECT_FALSE(m_list.TrackDrag()) << cancel.message;
        CPoint client(7, 9);
        ::ClientToScreen(m_owner.m_hWnd, &client);
        EXPECT_EQ(client, m_list.GetDragImagePosition()) << "the move came before the cancel";
        m_list.EndDrag();
        EXPECT_FALSE(m_list.IsDragShown());
    }
    // Without an owner there is nothing to track.
    m_list.SetOwner(nullptr);
    ASSERT_TRUE(m_list.BeginDrag(0, CPoint(0, 0)));
    EXPECT_FALSE(m_list.TrackDrag());
    m_list.EndDrag();
}
