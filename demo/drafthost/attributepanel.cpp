#include "attributepanel.h"

#include "afxframe.h"
#include "resource.h"

namespace {

const UINT kColorPicked = 0x7F01;              // the picker's command ID (its notifications)
const COLORREF kFirstColor = RGB(255, 0, 0);   // the standard red

}   // namespace

BEGIN_MESSAGE_MAP(CAttributePanel, CDialogBar)
    ON_MESSAGE(JBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

BOOL CAttributePanel::Create(CFrameWnd* pFrame, UINT nID)
{
    if (!CDialogBar::Create(pFrame, IDD_ATTRIBUTE_PANEL, WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY, nID))
        return FALSE;
    SetWindowText("Attributes");
    EnableDocking(CBRS_ALIGN_BOTTOM | CBRS_ALIGN_TOP);
    m_color = kFirstColor;
    ShowColor(m_color);
    // Pictures for the other two: a dashed line and an arrow.
    for (UINT id : {IDC_ATTR_STYLE, IDC_ATTR_ARROW}) {
        JButton* pButton = Button(id);
        if (!pButton)
            return FALSE;
        CDC dc;
        dc.Attach(::CreateCompatibleDC(nullptr));
        CBitmap bitmap;
        HDC hScreen = ::GetDC(nullptr);
        bitmap.Attach(::CreateCompatibleBitmap(hScreen, 16, 15));
        ::ReleaseDC(nullptr, hScreen);
        HGDIOBJ hOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 16, 15, ::GetSysColor(COLOR_BTNFACE));
        for (int x = 1; x < 15; ++x)
            if (id == IDC_ATTR_ARROW || (x / 3) % 2 == 0)
                dc.FillSolidRect(x, 7, 1, 1, RGB(0, 0, 0));
        if (id == IDC_ATTR_ARROW)
            for (int i = 0; i < 4; ++i)
                dc.FillSolidRect(14 - i, 7 - i, 1, 2 * i + 1, RGB(0, 0, 0));
        dc.SelectObject(hOld);
        ::DeleteDC(dc.Detach());
        pButton->LoadBitmap((HBITMAP)bitmap.GetSafeHandle());
    }
    if (auto* pCombo = static_cast<JColorComboBox*>(GetDlgItem(IDC_ATTR_COMBO))) {
        // The combo lists the custom colours the picker keeps, under their names.
        char registryName[1024] = "";
        m_picker.SetColorPickerName("Demo");   // its registry name, before it first drops
        m_picker.GetRegistryName(registryName, sizeof registryName);
        pCombo->SetRegistryName(registryName);
        pCombo->SetCurrentColor(kFirstColor);
    }
    return TRUE;
}

JButton* CAttributePanel::Button(UINT nID)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, (int)nID));
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(JButton)) ? static_cast<JButton*>(pWnd) : nullptr;
}

void CAttributePanel::ShowColor(COLORREF color)
{
    JButton* pButton = Button(IDC_ATTR_COLOR);
    if (!pButton)
        return;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 15);
    ::ReleaseDC(nullptr, hScreen);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = dc.SelectObject(hBitmap);
    dc.FillSolidRect(0, 0, 16, 15, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF ink = RGB(0, 0, 0);
    for (int y = 1; y < 10; ++y) {   // an A
        dc.FillSolidRect(7 - y / 2, y, 1, 1, ink);
        dc.FillSolidRect(8 + y / 2, y, 1, 1, ink);
    }
    dc.FillSolidRect(6, 6, 4, 1, ink);
    dc.FillSolidRect(1, 11, 14, 4, color <= 0xFFFFFF ? color : ::GetSysColor(COLOR_BTNFACE));
    dc.SelectObject(hOld);
    ::DeleteDC(dc.Detach());
    pButton->LoadBitmap(hBitmap);
    ::DeleteObject(hBitmap);
}

LRESULT CAttributePanel::OnDropDown(WPARAM wParam, LPARAM)
{
    JButton* pButton = Button((UINT)wParam);
    if (!pButton)
        return 0;
    switch (wParam) {
    case IDC_ATTR_COLOR:
        if (!m_picker.GetSafeHwnd() && !m_picker.Create(this, 0, 0, JCP_MORECOLORS | JCP_PREVIEW, kColorPicked))
            return 0;
        m_picker.SetCurrentColor(m_color);   // shown selected when the palette opens
        m_picker.ShowDropDown(pButton);
        break;
    case IDC_ATTR_STYLE: {
        if (!m_styles.GetList() && m_styles.Create(pButton))
            for (const char* style : {"Continuous", "Dashed", "Dotted", "Center", "Phantom", "Hidden"})
                m_styles.AddString(style);
        // Escape or a click elsewhere leaves the list's selection as it was: no new pick.
        const int before = m_styles.GetIndex();
        m_styles.ShowDropDown(pButton);
        if (m_styles.GetIndex() >= 0 && m_styles.GetIndex() != before) {
            CString text;
            m_styles.GetList()->GetText(m_styles.GetIndex(), text);
            Say("Line style: " + text);
        }
        break;
    }
    case IDC_ATTR_ARROW: {
        const int before = m_arrows.GetIndex();
        if (m_arrows.Create(pButton))
            m_arrows.ShowDropDown(pButton);
        if (m_arrows.GetIndex() >= 0 && m_arrows.GetIndex() != before) {
            CString text;
            text.Format("Arrowhead %d", m_arrows.GetIndex() + 1);
            Say(text);
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

BOOL CAttributePanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kColorPicked && HIWORD(wParam) == 1) {
        OnColorPicked();
        return TRUE;
    }
    return CDialogBar::OnCommand(wParam, lParam);
}

void CAttributePanel::OnColorPicked()
{
    CString name;
    const COLORREF color = m_picker.GetCurrentColor(&name);
    if (color == (COLORREF)-1)
        return;
    m_color = color;
    ShowColor(color);
    if (auto* pCombo = static_cast<JColorComboBox*>(GetDlgItem(IDC_ATTR_COMBO))) {
        if (!name.IsEmpty())
            pCombo->AddColor(color, name);   // a new custom colour under the name it was given
        pCombo->SetCurrentColor(color);
    }
    Say("Colour: " + name);
}

void CAttributePanel::Say(const CString& text)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetMessageText(text);
}
