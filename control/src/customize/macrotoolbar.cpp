// JMacroToolbar: drags the selected macro file of the buttons page onto a
// toolbar, where it becomes a macro button with a picture the user picks.
#include "controlexports.h"
#include "jbuttonspage.h"
#include "jdragger.h"
#include "jenvmanager.h"
#include "toolbar_custombitmaps.h"

IMPLEMENT_DYNAMIC(JMacroToolbar, JToolBar)

BEGIN_MESSAGE_MAP(JMacroToolbar, JToolBar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC
constexpr DWORD kMacroToolbarStyle = 0x50002834;
// The button the drag outline starts from: the macro's own command is made at the drop.
constexpr UINT kPlaceholderID = 0xFFF0;

bool Customizing()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_bCustomizationMode;
}

// The buttons page, when it is shown: the control state's registered page.
HWND VisiblePage()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    HWND hPage = pInfo ? pInfo->m_hWndCustomizePage : nullptr;
    return hPage && ::IsWindowVisible(hPage) ? hPage : nullptr;
}

}   // namespace

BOOL JMacroToolbar::CreateInList(CWnd* pList, CWnd* pOwner)
{
    m_bGripper = FALSE;
    m_bUnlisted = TRUE;
    const UINT ids[] = {kPlaceholderID};
    if (!pList || !Create(pList, "", ids, 1, AFX_IDW_CONTROLBAR_FIRST, (DWORD)-1, kMacroToolbarStyle))
        return FALSE;
    if (pOwner)
        SetOwner(pOwner);
    // Nothing of it shows over the list.
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void JMacroToolbar::OnLButtonDown(UINT, CPoint)
{
    auto* pList = DYNAMIC_DOWNCAST(JMacroListBox, GetParent());
    const CString macro = pList ? pList->GetSelectedPath() : CString();
    if (macro.IsEmpty())
        return;
    SetCopyMode(1);
    if (HWND hPage = VisiblePage()) {
        // The macro's own prompt: its command is only made at the drop.
        custom_bitmaps::MacroAnswer answer;
        custom_bitmaps::GetMacroInformation(macro, answer);
        if (answer.hBitmap)
            ::DeleteObject(answer.hBitmap);
        ::SendMessageA(hPage, WM_SETMESSAGESTRING, 0, (LPARAM)answer.szDescription);
    }
    BOOL bMade = FALSE;
    if (!CDragger::IsDragging()) {
        ::ReleaseCapture();
        CPoint screen = m_ptDrag;
        ClientToScreen(&screen);
        CDragger dragger;
        if (dragger.StartDrag(screen, 0, this)) {
            const CRect rectDrop = dragger.GetLastRect();
            // A drop back onto the list makes nothing, as one onto a button itself.
            CRect rectList;
            pList->GetWindowRect(rectList);
            if (!rectList.PtInRect(rectDrop.CenterPoint()))
                bMade = DropMacroButton(macro, rectDrop);
        }
    }
    SetCopyMode(0);
    if (!bMade && !Customizing())
        ClearActiveFocus(nullptr);
}

BOOL JMacroToolbar::DropMacroButton(const CString& strMacro, CRect rectDrop)
{
    if (!GetInPlaceFrame())
        return FALSE;
    HBITMAP hPicture = nullptr;
    const UINT nID = ::AddMacroCommand(strMacro, &hPicture);
    if (nID == 0) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return FALSE;
    }
    // The user picks the picture, shown at the drop; without a choice the macro's own stays.
    // Its owner is the dialog the list is in: nothing else there is used meanwhile, and the
    // activation goes back to it afterwards (the frame that owns that dialog would otherwise
    // take it, and cover the dialog).
    CWnd* pDialogOfList = CWnd::FromHandle(::GetAncestor(m_hWnd, GA_ROOT));
    JCustomButtonsDlg dialog(rectDrop.left, rectDrop.top, rectDrop.right, rectDrop.bottom, pDialogOfList);
    if (dialog.DoModal() == IDOK && dialog.GetBitmap()) {
        if (hPicture)
            ::DeleteObject(hPicture);
        hPicture = dialog.DetachBitmap();
    }
    if (!hPicture)
        hPicture = custom_bitmaps::DefaultMacroBitmap();
    // The macro button takes the placeholder's place for the drop, which copies it
    // onto the toolbar there (or a new one) as any dragged button is copied.
    const UINT none[] = {0};
    SetButtonIDs(none, 0);
    if (!hPicture || AddButton(nID, 0, hPicture, strMacro) != 0) {
        if (hPicture && !GetCustomRecord(0))
            ::DeleteObject(hPicture);
        const UINT ids[] = {kPlaceholderID};
        SetButtonIDs(ids, 1);
        return FALSE;
    }
    m_nIndex = 0;
    m_nCopyMode = 1;
    const BOOL bDropped = OnDrop(rectDrop);
    RemoveAt(0);
    const UINT ids[] = {kPlaceholderID};
    SetButtonIDs(ids, 1);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    return bDropped;
}
