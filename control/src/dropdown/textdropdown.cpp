// JTextDropdown: a sorted text list that is itself the pop-up.
#include "jdropdown.h"

#include <new>

IMPLEMENT_DYNAMIC(JTextDropdown, JDropdown)

// The pop-up list box: it never takes activation and closes when the application loses it.
class JDropListBox final : public CListBox {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (JDropdown::HandlePopupMessage(this, message, wParam, lParam, &result))
            return result;
        return CListBox::WindowProc(message, wParam, lParam);
    }
};

JTextDropdown::JTextDropdown() = default;

JTextDropdown::~JTextDropdown()
{
    if (m_pList) {
        if (m_pList->m_hWnd)
            m_pList->DestroyWindow();
        delete m_pList;
    }
}

BOOL JTextDropdown::Create(JButton* pButton)
{
    if (!pButton || !::IsWindow(pButton->GetSafeHwnd()))
        return FALSE;
    m_pButton = pButton;
    if (m_pList && m_pList->m_hWnd)
        return TRUE;
    if (!m_pList && !(m_pList = new (std::nothrow) JDropListBox))
        return FALSE;
    const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
                        LBS_NOINTEGRALHEIGHT;
    CRect rect(0, 0, 117, 85);
    ::AdjustWindowRectEx(rect, style, FALSE, 0);
    rect.OffsetRect(-rect.left, -rect.top);
    return m_pList->CreateEx(0, "Listbox", "", style, rect, pButton, 0);
}

int JTextDropdown::AddString(LPCSTR lpszText)
{
    return m_pList && m_pList->m_hWnd ? m_pList->AddString(lpszText) : LB_ERR;
}

CListBox* JTextDropdown::List()
{
    return m_pList;
}

CWnd* JTextDropdown::Popup()
{
    return m_pList;
}
