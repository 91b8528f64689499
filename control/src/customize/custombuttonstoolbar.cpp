// JCustomButtonsToolbar: the palette of pictures in the button picture dialog.
#include "cntlrc.h"
#include "imageproc_dc.h"
#include "jbuttonspage.h"
#include "jenvmanager.h"
#include "jimage.h"
#include "module.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(JCustomButtonsToolbar, JToolBar)

BEGIN_MESSAGE_MAP(JCustomButtonsToolbar, JToolBar)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_FIXED
constexpr DWORD kPaletteStyle = 0x50002832;
constexpr int kLibraryPictures = 12;          // in the resource module's strip, 16x15 each
constexpr int kMaxPictures = 60;              // the environment's pictures beyond these are not offered
constexpr COLORREF kKey = RGB(255, 0, 255);   // where the library's pictures show the face

}   // namespace

JCustomButtonsToolbar::~JCustomButtonsToolbar()
{
    if (m_hbmSelected)
        ::DeleteObject(m_hbmSelected);
}

HBITMAP JCustomButtonsToolbar::FittedCopy(HBITMAP hSource, int cx, int cy, const COLORREF* pKey)
{
    BITMAP bm{};
    if (!hSource || !::GetObjectA(hSource, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    imageproc::WindowDC screen(this);
    HBITMAP hCopy = ::CreateCompatibleBitmap(screen, cx, cy);
    imageproc::MemoryDC to(screen), from(screen);
    if (!hCopy || !to.Select(hCopy) || !from.Select(hSource)) {
        if (hCopy)
            ::DeleteObject(hCopy);
        return nullptr;
    }
    const RECT all = {0, 0, cx, cy};
    ::FillRect(to, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetStretchBltMode(to, COLORONCOLOR);
    ::StretchBlt(to, 0, 0, cx, cy, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    to.Unselect();
    if (pKey)
        JBitmapOps::ReplaceColor(hCopy, *pKey, ::GetSysColor(COLOR_BTNFACE));
    return hCopy;
}

void JCustomButtonsToolbar::CollectPictures(std::vector<HBITMAP>& pictures)
{
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    if (HINSTANCE hResources = ControlResources()) {
        imageproc::Owned<HBITMAP> strip(static_cast<HBITMAP>(
            ::LoadImageA(hResources, MAKEINTRESOURCEA(IDB_BUTTON_PICTURES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        imageproc::WindowDC screen(this);
        for (int i = 0; strip && i < kLibraryPictures; ++i) {
            // Each picture cut from the strip, then fitted to the button.
            imageproc::Owned<HBITMAP> one(::CreateCompatibleBitmap(screen, 16, 15));
            imageproc::MemoryDC to(screen), from(screen);
            if (!one || !to.Select(one) || !from.Select(strip))
                break;
            ::BitBlt(to, 0, 0, 16, 15, from, i * 16, 0, SRCCOPY);
            to.Unselect();
            if (HBITMAP hFitted = FittedCopy(one, cx, cy, &kKey))
                pictures.push_back(hFitted);
        }
    }
    // The pictures already on buttons of the environment's toolbars, each once.
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    std::vector<HBITMAP> seen;
    for (INT_PTR i = 0; pInfo && i < pInfo->m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CControlBar*>(pInfo->m_arrBars[i]);
        auto* pToolBar = pBar && pBar->m_hWnd ? DYNAMIC_DOWNCAST(JToolBar, pBar) : nullptr;
        if (!pToolBar || pToolBar == this || pToolBar->IsKindOf(RUNTIME_CLASS(JCustomButtonsToolbar)))
            continue;
        for (INT_PTR j = 0; j < pToolBar->m_arrCustomBitmaps.GetSize(); ++j) {
            auto* pRecord = static_cast<CTMBITMAPSTRUCT*>(pToolBar->m_arrCustomBitmaps[j]);
            if (!pRecord || !pRecord->m_hBitmap || (int)pictures.size() >= kLibraryPictures + kMaxPictures ||
                std::find(seen.begin(), seen.end(), pRecord->m_hBitmap) != seen.end())
                continue;
            seen.push_back(pRecord->m_hBitmap);
            if (HBITMAP hFitted = FittedCopy(pRecord->m_hBitmap, cx, cy, nullptr))
                pictures.push_back(hFitted);
        }
    }
}

BOOL JCustomButtonsToolbar::CreatePalette(CWnd* pHost)
{
    m_bGripper = FALSE;
    m_bUnlisted = TRUE;
    if (!pHost || !Create(pHost, "", nullptr, 0, AFX_IDW_CONTROLBAR_FIRST, (DWORD)-1, kPaletteStyle))
        return FALSE;
    std::vector<HBITMAP> pictures;
    CollectPictures(pictures);
    const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
    const int count = (int)pictures.size();
    imageproc::WindowDC screen(this);
    HBITMAP hStrip = count ? ::CreateCompatibleBitmap(screen, cx * count, cy) : nullptr;
    if (hStrip) {
        imageproc::MemoryDC to(screen), from(screen);
        to.Select(hStrip);
        for (int i = 0; i < count; ++i)
            if (from.Select(pictures[(size_t)i]))
                ::BitBlt(to, i * cx, 0, cx, cy, from, 0, 0, SRCCOPY);
    }
    for (HBITMAP hPicture : pictures)
        ::DeleteObject(hPicture);
    if (!hStrip || !SetBitmap(hStrip)) {
        if (hStrip)
            ::DeleteObject(hStrip);
        return TRUE;   // an empty palette: the dialog still loads pictures from files
    }
    // The pictures' buttons are numbered from 1; they run no command.
    std::vector<UINT> ids((size_t)count);
    for (int i = 0; i < count; ++i)
        ids[(size_t)i] = (UINT)(i + 1);
    if (!CToolBar::SetButtons(ids.data(), count))
        return TRUE;
    m_nPictures = count;
    m_arrFlyouts.SetSize(count);
    m_arrCustomBitmaps.SetSize(count);
    CRect host;
    pHost->GetClientRect(host);
    const int row =
        std::max(1, (int)(host.Width() - m_cxLeftBorder - m_cxRightBorder) / std::max(1, (int)m_sizeButton.cx));
    for (int i = row - 1; i < count - 1; i += row)
        SetButtonStyle(i, GetButtonStyle(i) | TBBS_WRAPPED);
    SetBarStyle(GetBarStyle() & ~CBRS_BORDER_BOTTOM);
    return TRUE;
}

void JCustomButtonsToolbar::SelectPicture(int index)
{
    if (index < 0 || index >= m_nPictures || !m_hbmImageWell)
        return;
    if (m_nSelected >= 0 && m_nSelected < m_nPictures)
        SetButtonStyle(m_nSelected, GetButtonStyle(m_nSelected) & ~TBBS_CHECKED);
    m_nSelected = index;
    SetButtonStyle(index, GetButtonStyle(index) | TBBS_CHECKED);
    SetActiveFocus(this, index);
    // The image width wide, the palette's height high, from the image's place in the strip.
    BITMAP bm{};
    ::GetObjectA(m_hbmImageWell, sizeof bm, &bm);
    const int cx = m_sizeImage.cx, cy = bm.bmHeight;
    imageproc::WindowDC screen(this);
    HBITMAP hCopy = ::CreateCompatibleBitmap(screen, cx, cy);
    imageproc::MemoryDC to(screen), from(screen);
    if (hCopy && to.Select(hCopy) && from.Select(m_hbmImageWell)) {
        ::BitBlt(to, 0, 0, cx, cy, from, cx * index, 0, SRCCOPY);
        to.Unselect();
        if (m_hbmSelected)
            ::DeleteObject(m_hbmSelected);
        m_hbmSelected = hCopy;
    } else if (hCopy) {
        ::DeleteObject(hCopy);
    }
    Invalidate();
}

void JCustomButtonsToolbar::OnPaint()
{
    CToolBar::OnPaint();
}

void JCustomButtonsToolbar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int hit = HitTest(point);
    if (hit < 0) {
        CToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    SelectPicture(hit);
}

void JCustomButtonsToolbar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int hit = HitTest(point);
    if (hit < 0 || !m_hbmSelected) {
        CToolBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    // As a click on the OK button of the dialog (the palette host's parent).
    CWnd* pHost = GetParent();
    if (CWnd* pDialog = pHost ? pHost->GetParent() : nullptr)
        pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(pDialog->m_hWnd, IDOK));
}
