// Button image processing: colour tests, screen-format copies, masks, colour
// replacement, bitmaps drawn with a transparent colour and the library's image list.
// Every result bitmap belongs to the caller; every DC and intermediate bitmap
// made on the way is released before returning.
#pragma once
#include "controlapi.h"

// The shell's header maps ExtractIcon to ExtractIconA: included first (it is
// read once), its macro is then dropped so that JImageList::ExtractIcon keeps
// its own name, in callers and in the export table alike.
#include <shellapi.h>
#undef ExtractIcon

// The bitmap operations behind JToolBar's image strip. pWnd names the window
// whose DC gives the screen format; NULL means the screen DC.
class CONTROL_CLASS JBitmapOps {
public:
    // TRUE for more than one plane or more than one bit per pixel; FALSE when unreadable.
    static BOOL IsColorBitmap(HBITMAP hBitmap);
    // A screen-format copy. White pixels of a monochrome source take *pBackground
    // (when given), black ones stay black. NULL on failure.
    static HBITMAP CopyBitmapImage(CWnd* pWnd, HBITMAP hSource, COLORREF* pBackground);
    // A monochrome bitmap, white where the source has colour *pKey (the colour of
    // pixel (0, 0) when pKey is NULL), black elsewhere. NULL on failure.
    static HBITMAP CreateMask(CWnd* pWnd, HBITMAP hSource, COLORREF* pKey);
    // A screen-format copy of hColor XOR-ed with *pFill (the copy's pixel (0, 0)
    // when pFill is NULL) where hMask is white: an icon's black transparent area
    // takes the fill colour. NULL when the copy cannot be made.
    static HBITMAP CreateMaskedBitmap(CWnd* pWnd, HBITMAP hColor, HBITMAP hMask, COLORREF* pFill);
    // Paints crTo over every crFrom pixel of hBitmap, in place, through a mask;
    // hPalette, when given, is realised first. Monochrome bitmaps stay as they are.
    static BOOL ReplaceColor(HBITMAP hBitmap, COLORREF crFrom, COLORREF crTo, HPALETTE hPalette = nullptr);
    // Pixel by pixel: *pFrom (pixel (0, 0) when NULL) becomes *pTo (the button
    // face colour when NULL). Returns hBitmap (NULL for NULL).
    static HBITMAP ReplaceBackgroundColor(HBITMAP hBitmap, COLORREF* pFrom, COLORREF* pTo);
    // The look of a button whose command is off: light greys to white, dark grey
    // to black, then white to the button face colour.
    static BOOL ApplyInactiveLook(HBITMAP hBitmap);
};

// A bitmap drawn with one colour left out.
class CONTROL_CLASS CTransBitmap : public CBitmap {
public:
    CTransBitmap() = default;
    ~CTransBitmap() override;

    void Draw(CDC* pDC, int x, int y, BOOL bTransparent);
    void Draw(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc, BOOL bTransparent);
    // Transparent drawing straight on the target: cheaper, but the target shows the steps.
    void DrawOnDC(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc);

    void SetTransparencyColor(COLORREF crColor);
    COLORREF GetTransparencyColor() const { return m_crTransparent; }
    int GetWidth();
    int GetHeight();
    // Deletes the bitmap and its mask and forgets the size.
    BOOL DeleteObject();

    // A per-thread wrapper of a bitmap the caller keeps owning, reset to the
    // default transparency colour on every call.
    static CTransBitmap* FromHandle(HBITMAP hBitmap);
    // Frees this thread's wrappers (and their masks); the bitmaps stay.
    static void DeleteTempMap();

protected:
    void DrawBitmap(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc);
    // Flicker-free: the three blits happen on an off-screen copy of the target area.
    void DrawTransBitmap(CDC* pDC, int x, int y, int nWidth, int nHeight, int xSrc, int ySrc);

private:
    void Measure();
    BOOL MakeMask();
    void ForgetMask();

    int m_nWidth = 0;   // 0 until measured
    int m_nHeight = 0;
    HBITMAP m_hMask = nullptr;   // white where the bitmap has the transparency colour
    COLORREF m_crTransparent = RGB(255, 255, 255);
};

// Draw styles of JImageList::Draw.
enum : UINT {
    JILD_NORMAL = 0x0000,
    JILD_TRANSPARENT = 0x0001,
    JILD_FOCUS = 0x0002,      // a light dither of the highlight colour
    JILD_SELECTED = 0x0004,   // a half dither of the highlight colour
};
// Creation flag: the list keeps a mask strip.
enum : UINT { JILC_MASK = 0x0001 };

// Images of one size in a colour strip and an optional mask strip; image i
// occupies x = i * width .. (i + 1) * width - 1 of both.
class CONTROL_CLASS JImageList {
public:
    JImageList() = default;
    ~JImageList();
    JImageList(const JImageList&) = delete;
    JImageList& operator=(const JImageList&) = delete;

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // The bitmap resource (loaded with hModule as the resource module) becomes
    // the strip; with nFlags JILC_MASK key-coloured pixels become transparent.
    BOOL Create(HINSTANCE hModule, LPCSTR lpszResource, int cx, int nGrow, COLORREF crKey, UINT nFlags = JILC_MASK);
    void DeleteImageList();

    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    CWnd* GetOwner() const { return m_pOwner; }
    int GetImageCount() const { return m_nCount; }
    // Only shrinks: 0 removes every image.
    BOOL SetImageCount(int nCount);
    CSize GetImageSize() const { return CSize(m_cx, m_cy); }
    BOOL HasMask() const { return m_pMask != nullptr; }
    BOOL GetImageRect(int nImage, CRect* pRect) const;
    HBITMAP GetColorStrip() const;
    HBITMAP GetMaskStrip() const;

    // Append one image scaled into the next slot; the index, or -1.
    int Add(HBITMAP hBitmap, HBITMAP hMask);
    int Add(HBITMAP hBitmap, COLORREF crKey);
    BOOL Replace(int nImage, HBITMAP hBitmap, HBITMAP hMask);
    BOOL Replace(int nImage, HBITMAP hBitmap, COLORREF crKey);
    BOOL ReplaceStretched(int nImage, HBITMAP hBitmap, HBITMAP hMask);
    BOOL Remove(int nImage);
    BOOL MakeMask(int nImage, COLORREF crKey);

    BOOL Draw(int nImage, CDC* pDC, int x, int y, UINT nStyle);
    BOOL DrawStretched(int nImage, CDC* pDC, int x, int y, int cx, int cy, UINT nStyle);
    // An icon of the system icon size; the caller destroys it. NULL on failure.
    HICON ExtractIcon(int nImage);
    BOOL SetOverlayImage(int nImage, int nOverlay);
    int GetOverlayImage(int nOverlay) const;

    // Dragging an image over the whole desktop. Points of DragEnter and DragMove
    // are relative to the window rectangle of the window given to DragEnter
    // (desktop coordinates for NULL).
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    BOOL DragEnter(CWnd* pWndLock, CPoint point);
    BOOL DragMove(CPoint point);
    BOOL DragLeave(CWnd* pWndLock);
    void EndDrag();
    // Follows the mouse with the owner capturing it: TRUE when the left button
    // comes up, FALSE on Esc, a right click or a cancel.
    BOOL TrackDrag();
    BOOL IsDragging() const { return m_drag.bActive; }
    BOOL IsDragShown() const { return m_drag.bShown; }
    // Top-left corner of the image on the desktop while it is shown.
    CPoint GetDragImagePosition() const { return m_drag.ptImage; }

    // The memory DCs every list draws through, made once per process.
    static void ReleaseSharedDCs();

private:
    struct DragState {
        BOOL bActive = FALSE;
        BOOL bShown = FALSE;
        int nImage = -1;
        CPoint ptHotSpot;
        CPoint ptOrigin;   // desktop position of the coordinates' origin
        CPoint ptImage;    // desktop position of the image
        HWND hWndLock = nullptr;
        HDC hDesktopDC = nullptr;
        HBITMAP hUnder = nullptr;   // the desktop under the image
    };

    BOOL Grow(int nImages);
    BOOL StoreImage(int nImage, HBITMAP hBitmap, BOOL bStretch);
    BOOL StoreMask(int nImage, HBITMAP hMask, BOOL bStretch);
    // Copies a whole bitmap into the cell at x, at the cell's size when stretched (else its top-left part).
    BOOL CopyCell(HDC hTo, int x, HDC hFrom, const BITMAP& bm, BOOL bStretch) const;
    BOOL DrawImage(int nImage, HDC hDC, int x, int y, int cx, int cy, UINT nStyle);
    void ShowDragImage(CPoint ptImage);
    void HideDragImage();

    CWnd* m_pOwner = nullptr;
    CBitmap* m_pColor = nullptr;
    CBitmap* m_pMask = nullptr;
    int m_cx = 0;
    int m_cy = 0;
    int m_nCount = 0;
    int m_nCapacity = 0;
    int m_nGrow = 4;
    DragState m_drag;
    int m_overlays[4] = {-1, -1, -1, -1};
};
