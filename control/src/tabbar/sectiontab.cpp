// CJSectionTab: the tab of a section of a sheet, leaning more and filled a shade lighter.
#include "jtabbar.h"

IMPLEMENT_DYNAMIC(CJSectionTab, CJTab)

COLORREF CJSectionTab::GetFillColor() const
{
    if (IsSelected() || (m_pOwner && m_pOwner->GetDropTarget() == this))
        return CJTab::GetFillColor();
    return ::GetSysColor(COLOR_3DLIGHT);
}
