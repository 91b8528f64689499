// JChevronButton: the narrow overflow button of a bar too short for its buttons; the
// buttons that did not fit are the bitmap items of its popup menu.
#include "jbutton.h"

#include "jcontrolinfo.h"
#include "jenvmanager.h"

IMPLEMENT_DYNAMIC(JChevronButton, CWnd)

BEGIN_MESSAGE_MAP(JChevronButton, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

JChevronButton::JChevronButton()
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current()) {
        if (pInfo->m_nLargeButtons == 1) {
            m_nWidth = 16;
            m_nHeight = 30;
        }
        m_nAppearance = pInfo->UsesFlatButtons() ? 1 : 0;
    }
}

JChevronButton::~JChevronButton()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL JChevronButton::Create(LPCSTR lpszName, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                            CCreateContext* pContext)
{
    static LPCSTR s_lpszClass = nullptr;
    if (!s_lpszClass)
        s_lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    const CRect place(rect.left, rect.top, rect.left + m_nWidth - 1, rect.top + m_nHeight - 1);
    DWORD dwWindowStyle = dwStyle | WS_CHILD | 0x30;
    if (m_nAppearance == 1)
        dwWindowStyle |= TBSTYLE_FLAT;
    if (!CWnd::CreateEx(WS_EX_TRANSPARENT, s_lpszClass, lpszName, dwWindowStyle, place, pParent, nID, pContext))
        return FALSE;
    if (!m_menu.GetSafeHmenu())
        m_menu.CreatePopupMenu();
    return TRUE;
}

void JChevronButton::DrawBorder(CDC* pDC, const CRect& rect)
{
    if (m_nAppearance != 1)
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

BOOL JChevronButton::HitButton(const CPoint& point)
{
    CRect client;
    GetClientRect(client);
    return client.PtInRect(point);
}

long JChevronButton::Add(UINT nID, HBITMAP hBitmap)
{
    if (!m_menu.GetSafeHmenu() && !m_menu.CreatePopupMenu())
        return 0;
    m_menu.AppendMenu(MF_BITMAP, nID, reinterpret_cast<LPCSTR>(hBitmap));
    m_nItems = (int)m_menu.GetMenuItemCount();
    if (m_hWnd)
        ShowWindow(SW_SHOWNA);
    return 0;
}

long JChevronButton::MenuCount()
{
    return m_menu.GetSafeHmenu() ? (long)m_menu.GetMenuItemCount() : 0;
}

long JChevronButton::PopOffTopMenuItem()
{
    if (MenuCount() > 0) {
        m_menu.RemoveMenu(0, MF_BYPOSITION);
        m_nItems = (int)MenuCount();
        if (m_nItems > 0 && m_hWnd)
            ShowWindow(SW_HIDE);
    }
    return MenuCount();
}

namespace {

// Two small right-pointing angles, one above the other: the chevron's picture.
void PaintChevron(CDC* pDC, const CRect& client)
{
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    const int x = client.left + (client.Width() - 5) / 2;
    for (int copy = 0; copy < 2; ++copy) {
        const int y = client.top + 4 + copy * 5;
        for (int i = 0; i < 3; ++i) {
            pDC->FillSolidRect(x + i, y + i, 2, 1, text);
            pDC->FillSolidRect(x + i, y + 4 - i, 2, 1, text);
        }
    }
}

}   // namespace

void JChevronButton::OnPaint()
{
    CPaintDC dc(this);
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), PRF_CLIENT);
}

LRESULT JChevronButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    DrawBorder(&dc, client);
    PaintChevron(&dc, client);
    dc.Detach();
    return 0;
}

void JChevronButton::OnLButtonDown(UINT, CPoint)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (pInfo && pInfo->InHelpMode())
        return;
    if (m_bMenuShown) {
        m_bMenuShown = FALSE;
        return;
    }
    m_bMenuShown = TRUE;
    CRect window;
    GetWindowRect(window);
    ::TrackPopupMenu(m_menu.GetSafeHmenu(), TPM_LEFTALIGN | TPM_LEFTBUTTON, window.right, window.top, 0, m_hWnd,
                     nullptr);
    // A click on the chevron itself closed the menu: the next press ends the shown state.
    POINT cursor;
    ::GetCursorPos(&cursor);
    if (!window.PtInRect(cursor))
        m_bMenuShown = FALSE;
}
