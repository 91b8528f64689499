// JCustomButtonsDlg: picks the picture of a new button from a palette, or loads
// one from a .bmp file.
#include "cntlrc.h"
#include "jbuttonspage.h"
#include "module.h"
#include "picture.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(JCustomButtonsDlg, CDialog)

BEGIN_MESSAGE_MAP(JCustomButtonsDlg, CDialog)
    ON_BN_CLICKED(IDC_CUSTOM_BUTTONS_BROWSE, OnBrowse)
END_MESSAGE_MAP()

JCustomButtonsDlg::JCustomButtonsDlg(int left, int top, int right, int bottom, CWnd* pParent)
    : CDialog(IDD_CUSTOM_BUTTONS, pParent), m_rectAnchor(left, top, right, bottom)
{
}

JCustomButtonsDlg::~JCustomButtonsDlg()
{
    if (m_hbmResult)
        ::DeleteObject(m_hbmResult);
}

INT_PTR JCustomButtonsDlg::DoModal()
{
    CResourceSwitch resources(ControlResources() ? ControlResources() : AfxGetResourceHandle());
    return CDialog::DoModal();
}

HBITMAP JCustomButtonsDlg::DetachBitmap()
{
    HBITMAP hBitmap = m_hbmResult;
    m_hbmResult = nullptr;
    return hBitmap;
}

void JCustomButtonsDlg::PlaceBelowAnchor()
{
    CRect window;
    GetWindowRect(window);
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    CPoint at(m_rectAnchor.left, m_rectAnchor.bottom);
    if (at.y + window.Height() > cyScreen)
        at.y = m_rectAnchor.top - window.Height();
    at.x = std::max(0, std::min<int>(at.x, cxScreen - window.Width()));
    SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL JCustomButtonsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceBelowAnchor();
    CRect area;
    if (CWnd* pFrame = GetDlgItem(IDC_CUSTOM_BUTTONS_PALETTE)) {
        pFrame->GetWindowRect(area);
        ScreenToClient(area);
        area.DeflateRect(4, 20);
    }
    if (!m_wndHost.Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                          "", WS_CHILD | WS_VISIBLE, area, this, 0xFFFF))
        return TRUE;
    m_pPalette = new JCustomButtonsToolbar;
    if (!m_pPalette->CreatePalette(&m_wndHost)) {
        if (m_pPalette->m_hWnd)
            m_pPalette->DestroyWindow();   // deletes it
        else
            delete m_pPalette;
        m_pPalette = nullptr;
        return TRUE;
    }
    m_wndHost.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    return TRUE;
}

void JCustomButtonsDlg::OnOK()
{
    HBITMAP hSelected = m_pPalette ? m_pPalette->m_hbmSelected : nullptr;
    BITMAP bm{};
    if (!hSelected || !::GetObjectA(hSelected, sizeof bm, &bm)) {
        EndDialog(IDOK);   // no picture chosen: the button keeps the one it has
        return;
    }
    // A bitmap of the same size and format, the selected picture copied into it.
    HBITMAP hCopy = ::CreateBitmap(bm.bmWidth, bm.bmHeight, bm.bmPlanes, bm.bmBitsPixel, nullptr);
    HDC hFrom = ::CreateCompatibleDC(nullptr), hTo = ::CreateCompatibleDC(nullptr);
    if (hCopy && hFrom && hTo) {
        HGDIOBJ hOldFrom = ::SelectObject(hFrom, hSelected);
        HGDIOBJ hOldTo = ::SelectObject(hTo, hCopy);
        ::BitBlt(hTo, 0, 0, bm.bmWidth, bm.bmHeight, hFrom, 0, 0, SRCCOPY);
        ::SelectObject(hFrom, hOldFrom);
        ::SelectObject(hTo, hOldTo);
    }
    if (hFrom)
        ::DeleteDC(hFrom);
    if (hTo)
        ::DeleteDC(hTo);
    if (m_hbmResult)
        ::DeleteObject(m_hbmResult);
    m_hbmResult = hCopy;
    EndDialog(IDOK);
}

void JCustomButtonsDlg::OnBrowse()
{
    const CString filter = LibraryText(IDS_BUTTON_PICTURE_FILTER, "Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*||");
    const CString title = LibraryText(IDS_BUTTON_PICTURE_TITLE, "Load Button Picture");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return;
    HBITMAP hBitmap = macrohost::LoadPictureFile((LPCSTR)dialog.GetPathName());
    if (!hBitmap) {
        // Not a picture: the user is told and chooses again.
        ::MessageBoxA(m_hWnd,
                      LibraryText(IDS_BUTTON_PICTURE_UNREADABLE, "This file cannot be read as a picture for a button."),
                      title, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_hbmResult)
        ::DeleteObject(m_hbmResult);
    m_hbmResult = hBitmap;
    EndDialog(IDOK);
}
