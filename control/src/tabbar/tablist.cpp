// CJTabList: the bar's tabs in order, owning them.
#include "jtabbar.h"

IMPLEMENT_DYNAMIC(CJTabList, CObject)

CJTabList::CJTabList() = default;

CJTabList::~CJTabList()
{
    DeleteAll();
}

int CJTabList::IndexOf(const CJTab* pTab) const
{
    if (!pTab)
        return -1;
    int index = 0;
    for (POSITION position = GetHeadPosition(); position; ++index)
        if (const_cast<CJTabList*>(this)->GetNext(position) == pTab)
            return index;
    return -1;
}

void CJTabList::DeleteAll()
{
    while (!IsEmpty())
        delete static_cast<CJTab*>(RemoveHead());
}

COLORREF CJTabList::GetBackColor() const
{
    return m_crBack == CLR_INVALID ? ::GetSysColor(COLOR_BTNFACE) : m_crBack;
}

int CJTabList::MeasureText(LPCSTR lpszText) const
{
    if (!lpszText || !*lpszText)
        return 0;
    const std::wstring text = GUserText(lpszText).ToWide();
    HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return 0;
    HGDIOBJ hOld = m_pFont && m_pFont->GetSafeHandle() ? ::SelectObject(hDC, m_pFont->GetSafeHandle()) : nullptr;
    SIZE extent{};
    ::GetTextExtentPoint32W(hDC, text.c_str(), (int)text.size(), &extent);
    if (hOld)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return extent.cx;
}
