// The bitmap operations of the toolbar's image strip and the transparent bitmap.
#include "image_helpers.h"
#include "jbars.h"
#include "jimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace image_test;

namespace {

// Every GDI object made during a test is gone at its end.
class ImageProc : public ::testing::Test {
protected:
    void SetUp() override
    {
        WarmUpGdi();
        m_gdiBefore = GdiObjects();
    }
    void TearDown() override
    {
        CTransBitmap::DeleteTempMap();
        EXPECT_EQ(m_gdiBefore, GdiObjects()) << "GDI objects leaked";
    }

private:
    DWORD m_gdiBefore = 0;
};

int ScreenBitsPerPixel()
{
    HDC hDC = ::GetDC(nullptr);
    const int bpp = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(nullptr, hDC);
    return bpp;
}

}   // namespace

TEST_F(ImageProc, ColorTestTellsMonochromeFromEveryColourDepth)
{
    HBITMAP mono = ::CreateBitmap(4, 4, 1, 1, nullptr);
    EXPECT_FALSE(JBitmapOps::IsColorBitmap(mono));
    ::DeleteObject(mono);
    HBITMAP monoDib = MakeDib(4, 4, 1, kWhite);
    EXPECT_FALSE(JBitmapOps::IsColorBitmap(monoDib));
    ::DeleteObject(monoDib);
    for (int bpp : {4, 8, 16, 24, 32}) {
        HBITMAP dib = MakeDib(4, 4, bpp, kWhite, {kBlack, kWhite, kRed});
        EXPECT_TRUE(JBitmapOps::IsColorBitmap(dib)) << bpp << " bits";
        ::DeleteObject(dib);
    }
    // Descriptions that cannot be read.
    EXPECT_FALSE(JBitmapOps::IsColorBitmap(nullptr));
    HBITMAP gone = MakeDib(4, 4, 24, kWhite);
    ::DeleteObject(gone);
    EXPECT_FALSE(JBitmapOps::IsColorBitmap(gone));
}

TEST_F(ImageProc, CopyTurnsMonochromeWhiteIntoTheBackgroundAndKeepsColourPictures)
{
    HBITMAP mono = MonoBitmap(6, 5, true, {{2, 3}});
    COLORREF red = kRed;
    HBITMAP copy = JBitmapOps::CopyBitmapImage(nullptr, mono, &red);
    ASSERT_NE(nullptr, copy);
    const BITMAP bm = Describe(copy);
    EXPECT_EQ(6, bm.bmWidth);
    EXPECT_EQ(5, bm.bmHeight);
    EXPECT_EQ(ScreenBitsPerPixel(), bm.bmBitsPixel * bm.bmPlanes);
    ExpectPixels(copy, {{0, 0, kRed}, {5, 4, kRed}, {2, 3, kBlack}});
    ::DeleteObject(copy);

    // Without a background white stays white.
    copy = JBitmapOps::CopyBitmapImage(nullptr, mono, nullptr);
    ExpectPixels(copy, {{1, 1, kWhite}, {2, 3, kBlack}});
    ::DeleteObject(copy);
    ::DeleteObject(mono);

    HBITMAP colour = MakeDib(3, 3, 24, kBlue);
    SetPixels(colour, {{1, 2}}, kGreen);
    copy = JBitmapOps::CopyBitmapImage(nullptr, colour, &red);
    ExpectPixels(copy, {{0, 0, kBlue}, {1, 2, kGreen}});
    ::DeleteObject(copy);
    ::DeleteObject(colour);
}

TEST_F(ImageProc, MaskIsWhiteExactlyWhereTheKeyColourIs)
{
    HBITMAP colour = MakeDib(5, 4, 24, kBlue);
    SetPixels(colour, {{0, 0}, {4, 3}}, kRed);
    COLORREF key = kBlue;
    HBITMAP mask = JBitmapOps::CreateMask(nullptr, colour, &key);
    ASSERT_NE(nullptr, mask);
    const BITMAP bm = Describe(mask);
    EXPECT_EQ(1, bm.bmBitsPixel);
    EXPECT_EQ(5, bm.bmWidth);
    EXPECT_EQ(4, bm.bmHeight);
    ExpectPixels(mask, {{0, 0, kBlack}, {4, 3, kBlack}, {2, 1, kWhite}});
    ::DeleteObject(mask);

    // Without a key the top-left pixel's colour is the key.
    mask = JBitmapOps::CreateMask(nullptr, colour, nullptr);
    ExpectPixels(mask, {{0, 0, kWhite}, {4, 3, kWhite}, {2, 1, kBlack}});
    ::DeleteObject(mask);
    ::DeleteObject(colour);
}

TEST_F(ImageProc, MaskedBitmapFillsAnIconsTransparentArea)
{
    // An icon: black where transparent (mask white), blue picture elsewhere.
    HBITMAP colour = MakeDib(4, 4, 32, kBlue);
    SetPixels(colour, {{0, 0}, {3, 0}, {0, 3}}, kBlack);
    HBITMAP mask = MonoBitmap(4, 4, false, {{0, 0}, {3, 0}, {0, 3}});
    COLORREF fill = kGreen;
    HBITMAP result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, mask, &fill);
    ASSERT_NE(nullptr, result);
    EXPECT_NE(colour, result);
    ExpectPixels(result, {{0, 0, kGreen}, {3, 0, kGreen}, {0, 3, kGreen}, {1, 1, kBlue}, {3, 3, kBlue}});
    EXPECT_EQ(kBlack, PixelOf(colour, 0, 0)) << "the source stays as it was";
    ::DeleteObject(result);

    // Where the mask is white over a picture pixel the fill is XOR-ed in, not painted.
    SetPixels(colour, {{3, 0}}, kRed);
    result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, mask, &fill);
    EXPECT_EQ(RGB(255, 255, 0), PixelOf(result, 3, 0));
    ::DeleteObject(result);

    // Without a fill colour the copy's top-left pixel is the fill.
    SetPixels(colour, {{0, 0}}, RGB(0x10, 0x20, 0x30));
    SetPixels(colour, {{0, 3}}, kBlack);
    result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, mask, nullptr);
    EXPECT_EQ(kBlack, PixelOf(result, 0, 0));   // its own colour XOR itself
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelOf(result, 0, 3));
    ::DeleteObject(result);

    // Without a mask the copy is unchanged.
    result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, nullptr, &fill);
    ASSERT_NE(nullptr, result);
    ExpectPixels(result, {{0, 0, RGB(0x10, 0x20, 0x30)}, {0, 3, kBlack}, {2, 2, kBlue}});
    ::DeleteObject(result);
    ::DeleteObject(mask);
    ::DeleteObject(colour);
}

TEST_F(ImageProc, ColourReplacementPaintsOnlyTheSourceColourAtEveryDepth)
{
    for (int bpp : {8, 24, 32}) {
        HBITMAP bitmap = MakeDib(5, 3, bpp, kBlue, {kBlack, kWhite, kRed, kGreen, kBlue});
        SetPixels(bitmap, {{0, 0}, {4, 2}, {2, 1}}, kRed);
        SCOPED_TRACE(bpp);
        EXPECT_TRUE(JBitmapOps::ReplaceColor(bitmap, kRed, kGreen));
        ExpectPixels(bitmap, {{0, 0, kGreen}, {4, 2, kGreen}, {2, 1, kGreen}, {1, 0, kBlue}, {3, 2, kBlue}});
        ::DeleteObject(bitmap);
    }
    // A palette realised first.
    HBITMAP bitmap = MakeDib(3, 3, 8, kBlue, {kBlack, kWhite, kRed, kGreen, kBlue});
    SetPixels(bitmap, {{1, 1}}, kRed);
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } palette{{0x300, 3, {{255, 0, 0, 0}}}, {{0, 255, 0, 0}, {0, 0, 255, 0}}};
    HPALETTE hPalette = ::CreatePalette(&palette.header);
    EXPECT_TRUE(JBitmapOps::ReplaceColor(bitmap, kRed, kGreen, hPalette));
    ExpectPixels(bitmap, {{1, 1, kGreen}, {0, 0, kBlue}});
    ::DeleteObject(hPalette);
    ::DeleteObject(bitmap);

    // Monochrome bitmaps are left as they are.
    HBITMAP mono = MakeDib(4, 4, 1, kWhite);
    EXPECT_TRUE(JBitmapOps::ReplaceColor(mono, kWhite, kBlack));
    EXPECT_EQ(kWhite, PixelOf(mono, 2, 2));
    ::DeleteObject(mono);
    EXPECT_FALSE(JBitmapOps::ReplaceColor(nullptr, kWhite, kBlack));
}

TEST_F(ImageProc, BackgroundReplacementDefaultsToTopLeftAndButtonFace)
{
    HBITMAP bitmap = MakeDib(4, 4, 24, kRed);
    SetPixels(bitmap, {{2, 2}}, kBlue);
    EXPECT_EQ(bitmap, JBitmapOps::ReplaceBackgroundColor(bitmap, nullptr, nullptr));
    ExpectPixels(bitmap, {{0, 0, ::GetSysColor(COLOR_BTNFACE)}, {3, 3, ::GetSysColor(COLOR_BTNFACE)}, {2, 2, kBlue}});
    COLORREF from = kBlue, to = kYellow;
    JBitmapOps::ReplaceBackgroundColor(bitmap, &from, &to);
    EXPECT_EQ(kYellow, PixelOf(bitmap, 2, 2));
    ::DeleteObject(bitmap);
    EXPECT_EQ(nullptr, JBitmapOps::ReplaceBackgroundColor(nullptr, nullptr, nullptr));
}

TEST_F(ImageProc, InactiveLookWhitensGreysAndShowsTheFace)
{
    HBITMAP bitmap = MakeDib(5, 1, 32, kRed);
    SetPixels(bitmap, {{0, 0}}, RGB(0x94, 0x94, 0x94));
    SetPixels(bitmap, {{1, 0}}, RGB(0xC0, 0xC0, 0xC0));
    SetPixels(bitmap, {{2, 0}}, RGB(0x80, 0x80, 0x80));
    SetPixels(bitmap, {{3, 0}}, kWhite);
    EXPECT_TRUE(JBitmapOps::ApplyInactiveLook(bitmap));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ExpectPixels(bitmap, {{0, 0, face}, {1, 0, face}, {2, 0, kBlack}, {3, 0, face}, {4, 0, kRed}});
    ::DeleteObject(bitmap);
}

TEST_F(ImageProc, NullAndDeletedHandlesGiveNoBitmap)
{
    COLORREF colour = kRed;
    EXPECT_EQ(nullptr, JBitmapOps::CopyBitmapImage(nullptr, nullptr, &colour));
    EXPECT_EQ(nullptr, JBitmapOps::CreateMask(nullptr, nullptr, &colour));
    EXPECT_EQ(nullptr, JBitmapOps::CreateMaskedBitmap(nullptr, nullptr, nullptr, &colour));
    HBITMAP gone = MakeDib(2, 2, 24, kWhite);
    ::DeleteObject(gone);
    EXPECT_EQ(nullptr, JBitmapOps::CopyBitmapImage(nullptr, gone, nullptr));
    EXPECT_EQ(nullptr, JBitmapOps::CreateMask(nullptr, gone, nullptr));
    EXPECT_EQ(nullptr, JBitmapOps::CreateMaskedBitmap(nullptr, gone, nullptr, nullptr));
}

// A 4x3 picture: white frame pixels at the corners, red and blue inside.
class TransBitmapDraw : public ImageProc {
protected:
    void SetUp() override
    {
        ImageProc::SetUp();
        m_bitmap.Attach(MakeDib(4, 3, 24, kRed));
        SetPixels(m_bitmap, {{0, 0}, {3, 2}}, kWhite);
        SetPixels(m_bitmap, {{2, 1}}, kBlue);
    }
    void TearDown() override
    {
        m_bitmap.DeleteObject();
        ImageProc::TearDown();
    }
    CDC* Wrap(testing_support::MemoryCanvas& canvas)
    {
        m_dc.Attach(canvas.dc());
        return &m_dc;
    }
    void Unwrap() { m_dc.Detach(); }

    CTransBitmap m_bitmap;
    CDC m_dc;
};

TEST_F(TransBitmapDraw, TransparentDrawingLeavesTheTransparencyColourOut)
{
    testing_support::MemoryCanvas canvas(10, 8, kYellow);
    EXPECT_EQ(4, m_bitmap.GetWidth());
    EXPECT_EQ(3, m_bitmap.GetHeight());
    m_bitmap.Draw(Wrap(canvas), 5, 4, TRUE);
    Unwrap();
    EXPECT_EQ(kYellow, canvas.Pixel(5, 4));   // white at (0, 0)
    EXPECT_EQ(kYellow, canvas.Pixel(8, 6));   // white at (3, 2)
    ExpectPixels(canvas, {{6, 4, kRed}, {7, 5, kBlue}});
    EXPECT_EQ(kYellow, canvas.Pixel(4, 4));   // outside
    EXPECT_EQ(10 * 8 - 10, canvas.Count(kYellow));

    // A plain copy shows every pixel.
    testing_support::MemoryCanvas plain(10, 8, kYellow);
    m_bitmap.Draw(Wrap(plain), 0, 0, FALSE);
    Unwrap();
    ExpectPixels(plain, {{0, 0, kWhite}, {3, 2, kWhite}, {2, 1, kBlue}});
}

TEST_F(TransBitmapDraw, PartsAndDirectDrawingAndAnotherColour)
{
    testing_support::MemoryCanvas canvas(6, 6, kGreen);
    // The right half of the picture: (2, 0)-(3, 2) at (1, 1).
    m_bitmap.Draw(Wrap(canvas), 1, 1, 2, 3, 2, 0, TRUE);
    Unwrap();
    ExpectPixels(canvas, {{1, 1, kRed}, {1, 2, kBlue}});
    EXPECT_EQ(kGreen, canvas.Pixel(2, 3));   // white at (3, 2)
    EXPECT_EQ(kGreen, canvas.Pixel(3, 1));   // outside the part
    EXPECT_EQ(36 - 5, canvas.Count(kGreen));

    testing_support::MemoryCanvas direct(6, 6, kGreen);
    m_bitmap.DrawOnDC(Wrap(direct), 0, 0, 4, 3, 0, 0);
    Unwrap();
    ExpectPixels(direct, {{0, 0, kGreen}, {1, 0, kRed}, {2, 1, kBlue}});

    m_bitmap.SetTransparencyColor(kRed);
    testing_support::MemoryCanvas other(6, 6, kGreen);
    m_bitmap.Draw(Wrap(other), 0, 0, TRUE);
    Unwrap();
    ExpectPixels(other, {{0, 0, kWhite}, {1, 0, kGreen}, {2, 1, kBlue}});
}

TEST_F(TransBitmapDraw, DeletingForgetsTheSizeAndTheWrapperLeavesTheBitmap)
{
    testing_support::MemoryCanvas canvas(4, 4, kGreen);
    m_bitmap.Draw(Wrap(canvas), 0, 0, TRUE);   // makes the mask
    Unwrap();
    EXPECT_TRUE(m_bitmap.DeleteObject());
    EXPECT_EQ(0, m_bitmap.GetWidth());
    EXPECT_FALSE(m_bitmap.DeleteObject());
    m_bitmap.Draw(Wrap(canvas), 0, 0, TRUE);   // nothing to draw
    Unwrap();
    EXPECT_EQ(16, canvas.Count(kGreen) + canvas.Count(kRed) + canvas.Count(kBlue));

    HBITMAP owned = MakeDib(3, 2, 24, kWhite);
    SetPixels(owned, {{1, 1}}, kBlue);
    CTransBitmap* wrapper = CTransBitmap::FromHandle(owned);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(kWhite, wrapper->GetTransparencyColor());
    wrapper->SetTransparencyColor(kBlue);
    EXPECT_EQ(3, wrapper->GetWidth());
    EXPECT_EQ(2, wrapper->GetHeight());
    testing_support::MemoryCanvas small(3, 2, kGreen);
    wrapper->Draw(Wrap(small), 0, 0, TRUE);
    Unwrap();
    ExpectPixels(small, {{0, 0, kWhite}, {1, 1, kGreen}});
    EXPECT_EQ(wrapper, CTransBitmap::FromHandle(owned));
    EXPECT_EQ(kWhite, wrapper->GetTransparencyColor()) << "each call starts with the default colour";
    EXPECT_EQ(nullptr, CTransBitmap::FromHandle(nullptr));
    CTransBitmap::DeleteTempMap();
    EXPECT_EQ(kBlue, PixelOf(owned, 1, 1)) << "the caller's bitmap lives on";
    ::DeleteObject(owned);
}

TEST_F(ImageProc, MasksOfPaletteAndMonochromeSources)
{
    HBITMAP indexed = MakeDib(4, 2, 8, kGreen, {kBlack, kWhite, kRed, kGreen});
    SetPixels(indexed, {{1, 0}, {3, 1}}, kRed);
    COLORREF key = kRed;
    HBITMAP mask = JBitmapOps::CreateMask(nullptr, indexed, &key);
    ASSERT_NE(nullptr, mask);
    ExpectPixels(mask, {{1, 0, kWhite}, {3, 1, kWhite}, {0, 0, kBlack}, {2, 1, kBlack}});
    ::DeleteObject(mask);
    ::DeleteObject(indexed);

    HBITMAP mono = MonoBitmap(3, 1, true, {{1, 0}});
    for (COLORREF monoKey : {kWhite, kBlack, kRed}) {   // no pixel is red
        mask = JBitmapOps::CreateMask(nullptr, mono, &monoKey);
        ASSERT_NE(nullptr, mask);
        EXPECT_EQ(monoKey == kWhite ? kWhite : kBlack, PixelOf(mask, 0, 0)) << monoKey;
        EXPECT_EQ(monoKey == kBlack ? kWhite : kBlack, PixelOf(mask, 1, 0)) << monoKey;
        ::DeleteObject(mask);
    }
    ::DeleteObject(mono);
    // Two colours of its own: the key is one of them.
    HBITMAP twoColour = MakeDib(2, 1, 1, kBlue, {kRed, kBlue});
    SetPixels(twoColour, {{0, 0}}, kRed);
    mask = JBitmapOps::CreateMask(nullptr, twoColour, &key);
    ExpectPixels(mask, {{0, 0, kWhite}, {1, 0, kBlack}});
    ::DeleteObject(mask);
    ::DeleteObject(twoColour);
}

TEST_F(ImageProc, ToolbarWithoutWindowWorksInTheScreenFormat)
{
    JToolBar toolbar;
    HBITMAP mono = MakeDib(2, 2, 1, kWhite);
    SetPixels(mono, {{1, 1}}, kBlack);
    EXPECT_FALSE(toolbar.IsColorBitmap(mono));
    COLORREF blue = kBlue;
    HBITMAP copy = toolbar.CopyBitmapImage(mono, &blue);
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(toolbar.IsColorBitmap(copy));
    EXPECT_EQ(ScreenBitsPerPixel(), Describe(copy).bmBitsPixel * Describe(copy).bmPlanes);
    ExpectPixels(copy, {{0, 0, kBlue}, {1, 1, kBlack}});
    HBITMAP mask = toolbar.CreateMask(copy, nullptr);
    ExpectPixels(mask, {{0, 1, kWhite}, {1, 1, kBlack}});
    COLORREF red = kRed;
    HBITMAP filled = toolbar.CreateMaskedBitmap(copy, mask, &red);
    EXPECT_EQ(RGB(255, 0, 255), PixelOf(filled, 0, 0));   // blue XOR red
    EXPECT_EQ(copy, toolbar.ReplaceBackgroundColor(copy, nullptr, &red));
    EXPECT_EQ(kRed, PixelOf(copy, 1, 0));
    for (HBITMAP made : {mono, copy, mask, filled})
        ::DeleteObject(made);
}

TEST_F(ImageProc, CopyOfABitmapHeldByAnotherDcFailsAndIsReported)
{
    HBITMAP held = MakeDib(3, 3, 24, kRed);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDC, held);
    {
        testing_support::DebugOutputCapture output;
        EXPECT_EQ(nullptr, JBitmapOps::CopyBitmapImage(nullptr, held, nullptr));
        EXPECT_NE(std::string::npos, output.Text().find("imageproc.cpp(")) << output.Text();
    }
    ::SelectObject(hDC, old);
    ::DeleteDC(hDC);
    HBITMAP copy = JBitmapOps::CopyBitmapImage(nullptr, held, nullptr);
    EXPECT_EQ(kRed, PixelOf(copy, 2, 2));
    ::DeleteObject(copy);
    ::DeleteObject(held);
}
