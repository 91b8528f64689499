// CJTabBar: the tabs' font and painting.
#include "cntlrc.h"
#include "jlocalizationinfo.h"
#include "jtabbar.h"
#include "module.h"

#include <algorithm>
#include <cstdlib>

namespace {

CString ResourceText(UINT nID, LPCSTR lpszFallback)
{
    CString text;
    if (!ControlResources() || !AfxLoadString(ControlResources(), nID, text) || text.IsEmpty())
        text = lpszFallback;
    return text;
}

// The character set of a language's ANSI code page.
BYTE CharSetOfLanguage(LANGID language)
{
    switch (PRIMARYLANGID(language)) {
    case LANG_JAPANESE:
        return SHIFTJIS_CHARSET;
    case LANG_KOREAN:
        return HANGUL_CHARSET;
    case LANG_CHINESE:
        return SUBLANGID(language) == SUBLANG_CHINESE_SIMPLIFIED || SUBLANGID(language) == SUBLANG_CHINESE_SINGAPORE
                   ? GB2312_CHARSET
                   : CHINESEBIG5_CHARSET;
    default:
        break;
    }
    char codePage[8] = "";
    if (!::GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, codePage, sizeof codePage))
        return ANSI_CHARSET;
    CHARSETINFO info{};
    const UINT_PTR cp = (UINT_PTR)strtoul(codePage, nullptr, 10);
    if (!::TranslateCharsetInfo(reinterpret_cast<DWORD*>(cp), &info, TCI_SRCCODEPAGE))
        return ANSI_CHARSET;
    return (BYTE)info.ciCharset;
}

// The language the tabs' font follows when the host has not named one.
LANGID AutomaticLanguage()
{
    JLocalizationInfo info;
    if (info.IsIdeoGraphicLanguage())
        return LANGIDFROMLCID(info.GetSystemLCID());
    if (JLocalizationInfo::IsKeyBoardIdeoGraphicLanguage())
        return LOWORD(reinterpret_cast<ULONG_PTR>(::GetKeyboardLayout(0)));
    return ::GetUserDefaultLangID();
}

}   // namespace

LOGFONTA CJTabBar::MakeTabFont(LANGID language, BOOL bVertical)
{
    LOGFONTA font{};
    const int points = atoi(ResourceText(IDS_TABBAR_FONT_SIZE, "8"));
    if (HDC hDC = ::GetDC(nullptr)) {
        font.lfHeight = -::MulDiv(points > 0 ? points : 8, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
        ::ReleaseDC(nullptr, hDC);
    }
    font.lfCharSet = CharSetOfLanguage(language);
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    if (JLocalizationInfo::IsIdeoGraphicLanguage(language)) {
        // Ideographs need the system's own GUI face and are unreadable in bold at this size.
        font.lfWeight = FW_NORMAL;
        lstrcpynA(font.lfFaceName, JLocalizationInfo::GetDefaultFontName(nullptr), LF_FACESIZE);
    } else {
        font.lfWeight = FW_BOLD;
        lstrcpynA(font.lfFaceName, ResourceText(IDS_TABBAR_FONT_FACE, "MS Sans Serif"), LF_FACESIZE);
    }
    if (bVertical)
        font.lfEscapement = font.lfOrientation = 2700;
    return font;
}

void CJTabBar::MakeFont()
{
    const LOGFONTA logFont = MakeTabFont(m_langFont ? m_langFont : AutomaticLanguage(), !IsHorizontal());
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&logFont);
    m_pTabs->SetFont(m_font.GetSafeHandle() ? &m_font : nullptr);
}

void CJTabBar::MeasureTabs()
{
    for (POSITION position = m_pTabs->GetHeadPosition(); position;) {
        CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
        const GUserText text = pTab->GetText();
        pTab->SetText(text);
    }
}

void CJTabBar::SetFontLanguage(LANGID language)
{
    m_langFont = language;
    MakeFont();
    MeasureTabs();
    LayoutTabs();
    if (m_hWnd)
        Invalidate(FALSE);
}

void CJTabBar::DrawEdgeLine(CDC* pDC)
{
    const CRect& area = m_rectTabArea;
    HDC hDC = pDC->GetSafeHdc();
    // The line along the edge that faces the drawing.
    CRect line;
    switch (GetAlignment()) {
    case JTBS_RIGHT:
        line.SetRect(area.left, area.top, area.left + 1, area.bottom);
        break;
    case JTBS_TOP:
        line.SetRect(area.left, area.bottom - 1, area.right, area.bottom);
        break;
    case JTBS_LEFT:
        line.SetRect(area.right - 1, area.top, area.right, area.bottom);
        break;
    default: {
        CRect black(area.left, area.top + 1, area.right, area.top + 2);
        ::FillRect(hDC, black, (HBRUSH)::GetStockObject(BLACK_BRUSH));
        line.SetRect(area.left, area.top, area.right, area.top + 1);
        break;
    }
    }
    ::FillRect(hDC, line, ::GetSysColorBrush(COLOR_BTNSHADOW));
    if (!m_pActive)
        return;
    // The active tab's span of the line takes the window colour: the tab joins the drawing.
    CRect joined = line;
    const CRect& tab = m_pActive->GetRect();
    if (IsHorizontal()) {
        joined.left = std::max(line.left, tab.left + 1);
        joined.right = std::min(line.right, tab.right - 1);
        if (GetAlignment() == JTBS_BOTTOM)
            joined.bottom = line.top + 2;
    } else {
        joined.top = std::max(line.top, tab.top + 1);
        joined.bottom = std::min(line.bottom, tab.bottom - 1);
    }
    if (!joined.IsRectEmpty())
        ::FillRect(hDC, joined, ::GetSysColorBrush(COLOR_WINDOW));
}

void CJTabBar::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hScreen = ::BeginPaint(m_hWnd, &ps);
    PaintTo(hScreen, ps.rcPaint);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CJTabBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect client;
    GetClientRect(client);
    PaintTo((HDC)wParam, client);
    return 0;
}

void CJTabBar::PaintTo(HDC hScreen, const CRect& rcUpdate)
{
    CRect client;
    GetClientRect(client);
    CRect update = rcUpdate;
    update.IntersectRect(update, client);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = hMemory
                          ? ::CreateCompatibleBitmap(hScreen, std::max(1, client.Width()), std::max(1, client.Height()))
                          : nullptr;
    HDC hDraw = hBitmap ? hMemory : hScreen;
    HGDIOBJ hOld = hBitmap ? ::SelectObject(hMemory, hBitmap) : nullptr;

    ::FillRect(hDraw, client, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_bShowTabs && !m_rectTabArea.IsRectEmpty()) {
        HBRUSH hBack = ::CreateSolidBrush(m_pTabs->GetBackColor());
        ::FillRect(hDraw, m_rectTabArea, hBack);
        ::DeleteObject(hBack);
        CDC dc;
        dc.Attach(hDraw);
        const int saved = ::SaveDC(hDraw);
        if (!m_pTabs->IsEmpty()) {
            CRect clip;
            clip.IntersectRect(update, m_rectTabArea);
            ::IntersectClipRect(hDraw, clip.left, clip.top, clip.right, clip.bottom);
            // The plain tabs, then the selected ones, the active one last, on top.
            for (int pass = 0; pass < 3; ++pass) {
                for (POSITION position = m_pTabs->GetHeadPosition(); position;) {
                    CJTab* pTab = static_cast<CJTab*>(m_pTabs->GetNext(position));
                    const int kind = pTab->IsActive() ? 2 : pTab->IsSelected() ? 1 : 0;
                    CRect meet;
                    if (kind == pass && meet.IntersectRect(pTab->GetRect(), clip))
                        pTab->Draw(&dc);
                }
            }
        }
        ::RestoreDC(hDraw, saved);
        // Over the tabs' near ends, so that only the active tab joins the drawing.
        DrawEdgeLine(&dc);
        // With the keyboard on the bar, a focus frame around the active tab's name.
        if (m_pActive && ::GetFocus() == m_hWnd) {
            CRect focus = m_pActive->GetRect();
            const int inset = m_pActive->GetSlant() + 1;
            if (IsHorizontal())
                focus.DeflateRect(inset, 3);
            else
                focus.DeflateRect(3, inset);
            focus.IntersectRect(focus, m_rectTabArea);
            if (!focus.IsRectEmpty())
                ::DrawFocusRect(hDraw, focus);
        }
        dc.Detach();
    }
    if (hBitmap) {
        ::BitBlt(hScreen, update.left, update.top, update.Width(), update.Height(), hMemory, update.left, update.top,
                 SRCCOPY);
        ::SelectObject(hMemory, hOld);
        ::DeleteObject(hBitmap);
    }
    if (hMemory)
        ::DeleteDC(hMemory);
}

BOOL CJTabBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
