// The bitmap operations of the toolbar's image strip and the transparent bitmap.
#include "image_helpers.h"
#include "jbars.h"
#include "jimage.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace image_test;

namespace {

class ImageProc : public GdiLeakCheck {
protected:
    void TearDown() override
    {
        CTransBitmap::DeleteTempMap();
        GdiLeakCheck::TearDown();
    }
};

int ScreenBitsPerPixel()
{
    HDC hDC = ::GetDC(nullptr);
    const int bpp = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(nullptr, hDC);
    return bpp;
}

// A bitmap handle that no longer names a bitmap.
HBITMAP Deleted()
{
    HBITMAP gone = MakeDib(2, 2, 24, kWhite);
    ::DeleteObject(gone);
    return gone;
}

}   // namespace

TEST_F(ImageProc, ColorTestTellsMonochromeFromEveryColourDepthAndBadHandlesGiveNoBitmap)
{
    Gdi mono(::CreateBitmap(4, 4, 1, 1, nullptr)), monoDib(MakeDib(4, 4, 1, kWhite));
    EXPECT_FALSE(JBitmapOps::IsColorBitmap(mono));
    EXPECT_FALSE(JBitmapOps::IsColorBitmap(monoDib));
    for (int bpp : {4, 8, 16, 24, 32}) {
        Gdi dib(MakeDib(4, 4, bpp, kWhite, {kBlack, kWhite, kRed}));
        EXPECT_TRUE(JBitmapOps::IsColorBitmap(dib)) << bpp << " bits";
    }
    // Null and deleted handles: no description, no bitmap made from them.
    COLORREF colour = kRed;
    for (HBITMAP bad : {(HBITMAP) nullptr, Deleted()}) {
        COLORREF* pColour = bad ? nullptr : &colour;
        EXPECT_FALSE(JBitmapOps::IsColorBitmap(bad));
        EXPECT_EQ(nullptr, JBitmapOps::CopyBitmapImage(nullptr, bad, pColour));
        EXPECT_EQ(nullptr, JBitmapOps::CreateMask(nullptr, bad, pColour));
        EXPECT_EQ(nullptr, JBitmapOps::CreateMaskedBitmap(nullptr, bad, nullptr, pColour));
    }
}

TEST_F(ImageProc, CopyTurnsMonochromeWhiteIntoTheBackgroundAndKeepsColourPictures)
{
    Gdi mono(MonoBitmap(6, 5, true, {{2, 3}}));
    COLORREF red = kRed;
    Gdi copy(JBitmapOps::CopyBitmapImage(nullptr, mono, &red));
    ASSERT_NE(nullptr, (HBITMAP)copy);
    const BITMAP bm = Describe(copy);
    EXPECT_EQ(CSize(6, 5), CSize(bm.bmWidth, bm.bmHeight));
    EXPECT_EQ(ScreenBitsPerPixel(), bm.bmBitsPixel * bm.bmPlanes);
    ExpectPixels(copy, {{0, 0, kRed}, {5, 4, kRed}, {2, 3, kBlack}});
    // Without a background white stays white.
    copy = JBitmapOps::CopyBitmapImage(nullptr, mono, nullptr);
    ExpectPixels(copy, {{1, 1, kWhite}, {2, 3, kBlack}});

    Gdi colour(PaintedDib(3, 3, 24, kBlue, {{1, 2}}, kGreen));
    copy = JBitmapOps::CopyBitmapImage(nullptr, colour, &red);
    ExpectPixels(copy, {{0, 0, kBlue}, {1, 2, kGreen}});
}

TEST_F(ImageProc, MaskIsWhiteExactlyWhereTheKeyColourIsInSourcesOfEveryKind)
{
    Gdi colour(PaintedDib(5, 4, 24, kBlue, {{0, 0}, {4, 3}}, kRed));
    COLORREF key = kBlue;
    Gdi mask(JBitmapOps::CreateMask(nullptr, colour, &key));
    ASSERT_NE(nullptr, (HBITMAP)mask);
    const BITMAP bm = Describe(mask);
    EXPECT_EQ(1, bm.bmBitsPixel);
    EXPECT_EQ(CSize(5, 4), CSize(bm.bmWidth, bm.bmHeight));
    ExpectPixels(mask, {{0, 0, kBlack}, {4, 3, kBlack}, {2, 1, kWhite}});
    // Without a key the top-left pixel's colour is the key.
    mask = JBitmapOps::CreateMask(nullptr, colour, nullptr);
    ExpectPixels(mask, {{0, 0, kWhite}, {4, 3, kWhite}, {2, 1, kBlack}});
    // Palette and monochrome sources.
    Gdi indexed(PaintedDib(4, 2, 8, kGreen, {{1, 0}, {3, 1}}, kRed, {kBlack, kWhite, kRed, kGreen}));
    key = kRed;
    mask = JBitmapOps::CreateMask(nullptr, indexed, &key);
    ASSERT_NE(nullptr, (HBITMAP)mask);
    ExpectPixels(mask, {{1, 0, kWhite}, {3, 1, kWhite}, {0, 0, kBlack}, {2, 1, kBlack}});

    Gdi mono(MonoBitmap(3, 1, true, {{1, 0}}));
    for (COLORREF monoKey : {kWhite, kBlack, kRed}) {   // no pixel is red
        mask = JBitmapOps::CreateMask(nullptr, mono, &monoKey);
        ASSERT_NE(nullptr, (HBITMAP)mask);
        EXPECT_EQ(monoKey == kWhite ? kWhite : kBlack, PixelOf(mask, 0, 0)) << monoKey;
        EXPECT_EQ(monoKey == kBlack ? kWhite : kBlack, PixelOf(mask, 1, 0)) << monoKey;
    }
    // Two colours of its own: the key is one of them.
    Gdi twoColour(PaintedDib(2, 1, 1, kBlue, {{0, 0}}, kRed, {kRed, kBlue}));
    mask = JBitmapOps::CreateMask(nullptr, twoColour, &key);
    ExpectPixels(mask, {{0, 0, kWhite}, {1, 0, kBlack}});
}

TEST_F(ImageProc, MaskedBitmapFillsAnIconsTransparentAreaAndACopyOfAHeldBitmapFails)
{
    // An icon: black where transparent (mask white), blue picture elsewhere.
    Gdi colour(PaintedDib(4, 4, 32, kBlue, {{0, 0}, {3, 0}, {0, 3}}, kBlack));
    Gdi mask(MonoBitmap(4, 4, false, {{0, 0}, {3, 0}, {0, 3}}));
    COLORREF fill = kGreen;
    Gdi result(JBitmapOps::CreateMaskedBitmap(nullptr, colour, mask, &fill));
    ASSERT_NE(nullptr, (HBITMAP)result);
    EXPECT_NE((HBITMAP)colour, (HBITMAP)result);
    ExpectPixels(result, {{0, 0, kGreen}, {3, 0, kGreen}, {0, 3, kGreen}, {1, 1, kBlue}, {3, 3, kBlue}});
    EXPECT_EQ(kBlack, PixelOf(colour, 0, 0)) << "the source stays as it was";
    // Where the mask is white over a picture pixel the fill is XOR-ed in, not painted.
    SetPixels(colour, {{3, 0}}, kRed);
    result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, mask, &fill);
    EXPECT_EQ(RGB(255, 255, 0), PixelOf(result, 3, 0));
    // Without a fill colour the copy's top-left pixel is the fill.
    SetPixels(colour, {{0, 0}}, RGB(0x10, 0x20, 0x30));
    SetPixels(colour, {{0, 3}}, kBlack);
    result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, mask, nullptr);
    EXPECT_EQ(kBlack, PixelOf(result, 0, 0));   // its own colour XOR itself
    EXPECT_EQ(RGB(0x10, 0x20, 0x30), PixelOf(result, 0, 3));
    // Without a mask the copy is unchanged.
    result = JBitmapOps::CreateMaskedBitmap(nullptr, colour, nullptr, &fill);
    ASSERT_NE(nullptr, (HBITMAP)result);
    ExpectPixels(result, {{0, 0, RGB(0x10, 0x20, 0x30)}, {0, 3, kBlack}, {2, 2, kBlue}});
    // A copy of a bitmap held by another DC fails and is reported.
    Gdi held(MakeDib(3, 3, 24, kRed));
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDC, held);
    {
        testing_support::DebugOutputCapture output;
        EXPECT_EQ(nullptr, JBitmapOps::CopyBitmapImage(nullptr, held, nullptr));
        EXPECT_NE(std::string::npos, output.Text().find("imageproc.cpp(")) << output.Text();
    }
    ::SelectObject(hDC, old);
    ::DeleteDC(hDC);
    Gdi copy(JBitmapOps::CopyBitmapImage(nullptr, held, nullptr));
    EXPECT_EQ(kRed, PixelOf(copy, 2, 2));
}

TEST_F(ImageProc, ColourReplacementPaintsOnlyTheSourceColourAndBackgroundAndInactiveLookTakeTheFace)
{
    for (int bpp : {8, 24, 32}) {
        Gdi bitmap(PaintedDib(5, 3, bpp, kBlue, {{0, 0}, {4, 2}, {2, 1}}, kRed, {kBlack, kWhite, kRed, kGreen, kBlue}));
        SCOPED_TRACE(bpp);
        EXPECT_TRUE(JBitmapOps::ReplaceColor(bitmap, kRed, kGreen));
        ExpectPixels(bitmap, {{0, 0, kGreen}, {4, 2, kGreen}, {2, 1, kGreen}, {1, 0, kBlue}, {3, 2, kBlue}});
    }
    // A palette realised first.
    Gdi bitmap(PaintedDib(3, 3, 8, kBlue, {{1, 1}}, kRed, {kBlack, kWhite, kRed, kGreen, kBlue}));
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[2];
    } palette{{0x300, 3, {{255, 0, 0, 0}}}, {{0, 255, 0, 0}, {0, 0, 255, 0}}};
    HPALETTE hPalette = ::CreatePalette(&palette.header);
    EXPECT_TRUE(JBitmapOps::ReplaceColor(bitmap, kRed, kGreen, hPalette));
    ExpectPixels(bitmap, {{1, 1, kGreen}, {0, 0, kBlue}});
    ::DeleteObject(hPalette);
    // Monochrome bitmaps are left as they are.
    Gdi mono(MakeDib(4, 4, 1, kWhite));
    EXPECT_TRUE(JBitmapOps::ReplaceColor(mono, kWhite, kBlack));
    EXPECT_EQ(kWhite, PixelOf(mono, 2, 2));
    EXPECT_FALSE(JBitmapOps::ReplaceColor(nullptr, kWhite, kBlack));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    // The background defaults to the top-left pixel's colour and the face.
    Gdi background(PaintedDib(4, 4, 24, kRed, {{2, 2}}, kBlue));
    EXPECT_EQ((HBITMAP)background, JBitmapOps::ReplaceBackgroundColor(background, nullptr, nullptr));
    ExpectPixels(background, {{0, 0, face}, {3, 3, face}, {2, 2, kBlue}});
    COLORREF from = kBlue, to = kYellow;
    JBitmapOps::ReplaceBackgroundColor(background, &from, &to);
    EXPECT_EQ(kYellow, PixelOf(background, 2, 2));
    EXPECT_EQ(nullptr, JBitmapOps::ReplaceBackgroundColor(nullptr, nullptr, nullptr));
    // The inactive look whitens greys and shows the face.
    Gdi row(PaintedDib(5, 1, 32, kRed, {{0, 0}}, RGB(0x94, 0x94, 0x94)));
    SetPixels(row, {{1, 0}}, RGB(0xC0, 0xC0, 0xC0));
    SetPixels(row, {{2, 0}}, RGB(0x80, 0x80, 0x80));
    SetPixels(row, {{3, 0}}, kWhite);
    EXPECT_TRUE(JBitmapOps::ApplyInactiveLook(row));
    ExpectPixels(row, {{0, 0, face}, {1, 0, face}, {2, 0, kBlack}, {3, 0, face}, {4, 0, kRed}});
}

// A 4x3 picture: white frame pixels at the corners, red and blue inside.
class TransBitmapDraw : public ImageProc {
protected:
    void SetUp() override
    {
        ImageProc::SetUp();
        m_bitmap.Attach(PaintedDib(4, 3, 24, kRed, {{0, 0}, {3, 2}}, kWhite));
        SetPixels(m_bitmap, {{2, 1}}, kBlue);
    }
    void TearDown() override
    {
        m_bitmap.DeleteObject();
        ImageProc::TearDown();
    }
    CTransBitmap m_bitmap;
};

TEST_F(TransBitmapDraw, TransparentDrawingLeavesTheTransparencyColourOutOfWholesAndParts)
{
    testing_support::MemoryCanvas canvas(10, 8, kYellow);
    EXPECT_EQ(CSize(4, 3), CSize(m_bitmap.GetWidth(), m_bitmap.GetHeight()));
    DrawOn(canvas, [&](CDC* pDC) { m_bitmap.Draw(pDC, 5, 4, TRUE); });
    // White at (0, 0) and (3, 2) of the picture; (4, 4) is outside.
    ExpectPixels(canvas, {{5, 4, kYellow}, {8, 6, kYellow}, {6, 4, kRed}, {7, 5, kBlue}, {4, 4, kYellow}});
    EXPECT_EQ(10 * 8 - 10, canvas.Count(kYellow));
    // A plain copy shows every pixel.
    testing_support::MemoryCanvas plain(10, 8, kYellow);
    DrawOn(plain, [&](CDC* pDC) { m_bitmap.Draw(pDC, 0, 0, FALSE); });
    ExpectPixels(plain, {{0, 0, kWhite}, {3, 2, kWhite}, {2, 1, kBlue}});
    testing_support::MemoryCanvas part(6, 6, kGreen);
    // The right half of the picture: (2, 0)-(3, 2) at (1, 1).
    DrawOn(part, [&](CDC* pDC) { m_bitmap.Draw(pDC, 1, 1, 2, 3, 2, 0, TRUE); });
    // White at (3, 2) of the picture; (3, 1) is outside the part.
    ExpectPixels(part, {{1, 1, kRed}, {1, 2, kBlue}, {2, 3, kGreen}, {3, 1, kGreen}});
    EXPECT_EQ(36 - 5, part.Count(kGreen));

    testing_support::MemoryCanvas direct(6, 6, kGreen);
    DrawOn(direct, [&](CDC* pDC) { m_bitmap.DrawOnDC(pDC, 0, 0, 4, 3, 0, 0); });
    ExpectPixels(direct, {{0, 0, kGreen}, {1, 0, kRed}, {2, 1, kBlue}});

    m_bitmap.SetTransparencyColor(kRed);
    testing_support::MemoryCanvas other(6, 6, kGreen);
    DrawOn(other, [&](CDC* pDC) { m_bitmap.Draw(pDC, 0, 0, TRUE); });
    ExpectPixels(other, {{0, 0, kWhite}, {1, 0, kGreen}, {2, 1, kBlue}});
}

TEST_F(TransBitmapDraw, DeletingForgetsTheSizeAndTheWrapperLeavesTheBitmap)
{
    testing_support::MemoryCanvas canvas(4, 4, kGreen);
    DrawOn(canvas, [&](CDC* pDC) { m_bitmap.Draw(pDC, 0, 0, TRUE); });   // makes the mask
    EXPECT_TRUE(m_bitmap.DeleteObject());
    EXPECT_EQ(0, m_bitmap.GetWidth());
    EXPECT_FALSE(m_bitmap.DeleteObject());
    DrawOn(canvas, [&](CDC* pDC) { m_bitmap.Draw(pDC, 0, 0, TRUE); });   // nothing to draw
    EXPECT_EQ(16, canvas.Count(kGreen) + canvas.Count(kRed) + canvas.Count(kBlue));

    Gdi owned(PaintedDib(3, 2, 24, kWhite, {{1, 1}}, kBlue));
    CTransBitmap* wrapper = CTransBitmap::FromHandle(owned);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(kWhite, wrapper->GetTransparencyColor());
    wrapper->SetTransparencyColor(kBlue);
    EXPECT_EQ(CSize(3, 2), CSize(wrapper->GetWidth(), wrapper->GetHeight()));
    testing_support::MemoryCanvas small(3, 2, kGreen);
    DrawOn(small, [&](CDC* pDC) { wrapper->Draw(pDC, 0, 0, TRUE); });
    ExpectPixels(small, {{0, 0, kWhite}, {1, 1, kGreen}});
    EXPECT_EQ(wrapper, CTransBitmap::FromHandle(owned));
    EXPECT_EQ(kWhite, wrapper->GetTransparencyColor()) << "each call starts with the default colour";
    EXPECT_EQ(nullptr, CTransBitmap::FromHandle(nullptr));
    CTransBitmap::DeleteTempMap();
    EXPECT_EQ(kBlue, PixelOf(owned, 1, 1)) << "the caller's bitmap lives on";
}

TEST_F(ImageProc, ToolbarWithoutWindowWorksInTheScreenFormat)
{
    JToolBar toolbar;
    Gdi mono(PaintedDib(2, 2, 1, kWhite, {{1, 1}}, kBlack));
    EXPECT_FALSE(toolbar.IsColorBitmap(mono));
    COLORREF blue = kBlue, red = kRed;
    Gdi copy(toolbar.CopyBitmapImage(mono, &blue));
    ASSERT_NE(nullptr, (HBITMAP)copy);
    EXPECT_TRUE(toolbar.IsColorBitmap(copy));
    EXPECT_EQ(ScreenBitsPerPixel(), Describe(copy).bmBitsPixel * Describe(copy).bmPlanes);
    ExpectPixels(copy, {{0, 0, kBlue}, {1, 1, kBlack}});
    Gdi mask(toolbar.CreateMask(copy, nullptr));
    ExpectPixels(mask, {{0, 1, kWhite}, {1, 1, kBlack}});
    Gdi filled(toolbar.CreateMaskedBitmap(copy, mask, &red));
    EXPECT_EQ(RGB(255, 0, 255), PixelOf(filled, 0, 0));   // blue XOR red
    EXPECT_EQ((HBITMAP)copy, toolbar.ReplaceBackgroundColor(copy, nullptr, &red));
    EXPECT_EQ(kRed, PixelOf(copy, 1, 0));
}
