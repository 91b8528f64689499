// Flat exports that act on the frame of the call: in-place frames, the status
// bar, bar IDs, the bars' context menu and menu replacement.
#include "controlexports.h"

#include "appcore.h"
#include "callframe.h"
#include "cntlrc.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "libstate.h"
#include "module.h"

#include <algorithm>
#include <vector>

// ---- in-place frames ----

CONTROL_API void SetInPlaceFrame(CFrameWnd* pInPlace, CFrameWnd* pSecond, CFrameWnd* pClient)
{
    ControlProcessState& state = ControlState();
    if (JEnvironmentManager* pManager = JEnvironmentManager::Get()) {
        pManager->SetInPlaceFrame(pInPlace, pSecond, pClient);
    } else {
        state.pInPlaceFrame = pInPlace;
        state.pSecondFrame = pSecond;
        state.pClientInPlaceFrame = pClient;
        if (!pInPlace)
            state.hMenuInPlaceServer = nullptr;
    }
    AppSetInPlaceFrames(AfxGetSafeHwnd(pInPlace), AfxGetSafeHwnd(pSecond), AfxGetSafeHwnd(pClient));
    if (ControlInPlaceFrame())
        AppInPlaceFrameRegistered();
}

CONTROL_API CFrameWnd* GetInPlaceFrame()
{
    return ControlFrameOfCall();
}

CONTROL_API CFrameWnd* GetClientInPlaceFrame()
{
    if (JEnvironmentManager* pManager = JEnvironmentManager::Get())
        return pManager->GetClientInPlaceFrame();
    return ControlState().pClientInPlaceFrame;
}

CONTROL_API int IsInPlaceActivated()
{
    return ControlInPlaceFrame() ? 1 : 0;
}

// ---- bars ----

CONTROL_API CStatusBar* JGetStatusBar()
{
    CStatusBar* pStatusBar = nullptr;
    ForEachControlBar(ControlFrameOfCall(), [&pStatusBar](CControlBar* pBar) {
        pStatusBar = DYNAMIC_DOWNCAST(CStatusBar, pBar);
        return pStatusBar == nullptr;
    });
    return pStatusBar;
}

CONTROL_API int GetNextBarID()
{
    std::vector<bool> used(kLastRunTimeBarID - kFirstRunTimeBarID + 1, false);
    ForEachControlBar(ControlFrameOfCall(), [&used](CControlBar* pBar) {
        if (!IsLiveBar(pBar) ||
            !(pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(JDialogBar)) ||
              pBar->IsKindOf(RUNTIME_CLASS(CDialogBar))))
            return true;
        const UINT id = (UINT)pBar->GetDlgCtrlID();
        if (id >= kFirstRunTimeBarID && id <= kLastRunTimeBarID)
            used[id - kFirstRunTimeBarID] = true;
        return true;
    });
    for (UINT i = 0; i < used.size(); ++i)
        if (!used[i])
            return (int)(kFirstRunTimeBarID + i);
    return -1;
}

// ---- the bars' context menu ----

namespace {

CString ResourceText(UINT nID)
{
    CString text;
    AfxLoadString(ControlResources(), nID, text);
    return text;
}

bool IsUnlisted(CControlBar* pBar)
{
    if (auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar))
        return pToolBar->m_bUnlisted;
    if (auto* pDialogBar = DYNAMIC_DOWNCAST(CBaseDialogBar, pBar))
        return pDialogBar->m_bUnlisted;
    return false;
}

}   // namespace

CONTROL_API int DisplayToolbarMenu(POINT* pScreenPoint)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    CFrameWnd* pFrame = ControlFrameOfCall();
    if (!pInfo || !pFrame || !pScreenPoint)
        return 0;
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu)
        return 0;
    const GUserText environment = pInfo->GetCustomEnvironment();
    int items = 0;
    ForEachControlBar(pFrame, [&](CControlBar* pBar) {
        if (!IsLiveBar(pBar))
            return true;
        auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar);
        const bool qualifies =
            (pToolBar && (pToolBar->m_strEnvironment == environment || pToolBar->m_strEnvironment == "Application")) ||
            pBar->IsKindOf(RUNTIME_CLASS(JDialogBar)) || pBar->IsKindOf(RUNTIME_CLASS(CDialogBar));
        if (!qualifies)
            return true;
        if (items >= pInfo->m_nToolbarMenuLimit) {
            // More bars than the menu shows: the toolbar manager lists them all.
            ::AppendMenuA(hMenu, MF_STRING, ID_JTOOLBAR_MANAGER, ResourceText(IDS_MORE_TOOLBARS));
            return false;
        }
        if (IsUnlisted(pBar))
            return true;
        CString text;
        pBar->GetWindowText(text);
        ::AppendMenuA(hMenu, MF_STRING | (pBar->IsWindowVisible() ? MF_CHECKED : 0), (UINT)pBar->GetDlgCtrlID(), text);
        ++items;
        return true;
    });
    if (pInfo->m_bShowCustomizeOnToolbarMenu || pInfo->m_bShowToolBarMgrOnToolbarMenu)
        ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
    if (pInfo->m_bShowToolBarMgrOnToolbarMenu)
        ::AppendMenuA(hMenu, MF_STRING, ID_JTOOLBAR_MANAGER, ResourceText(IDS_TOOLBAR_MANAGER_ITEM));
    if (pInfo->m_bShowCustomizeOnToolbarMenu)
        ::AppendMenuA(hMenu, MF_STRING, ID_JCUSTOMIZE, ResourceText(IDS_CUSTOMIZE_ITEM));
    if (pInfo->m_bCustomizationMode)
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
            ::EnableMenuItem(hMenu, i, MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
    CWinThread* pThread = AfxGetThread();
    CWnd* pOwner = pThread ? pThread->GetMainWnd() : nullptr;
    ::TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, pScreenPoint->x, pScreenPoint->y, 0, AfxGetSafeHwnd(pOwner), nullptr);
    return ::DestroyMenu(hMenu);
}

// ---- menu replacement ----

namespace {

// GetMenuState mixes a pop-up's item count into its high byte, where it can look
// like MF_SEPARATOR: the item's type says it reliably.
bool IsSeparatorItem(HMENU hMenu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(hMenu, (UINT)position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

}   // namespace

CONTROL_API int ReplaceMainMenu(HMENU hNewMenu, HMENU hTarget)
{
    const bool menuBar = hTarget == nullptr;
    CFrameWnd* pFrame = nullptr;
    if (menuBar) {
        pFrame = ControlFrameOfCall();
        if (!pFrame)
            return 0;
        hTarget = ::GetMenu(pFrame->m_hWnd);
    }
    if (!hNewMenu || !hTarget || !::IsMenu(hNewMenu) || !::IsMenu(hTarget) || hNewMenu == hTarget)
        return 0;

    // Keep the items without text that are not separators: the bitmap items a
    // maximised child window puts in the menu bar.
    int kept[6];
    int keptCount = 0;
    for (int i = ::GetMenuItemCount(hTarget) - 1; i >= 0; --i) {
        char probe[2];
        const bool separator = IsSeparatorItem(hTarget, i);
        if (::GetMenuStringA(hTarget, i, probe, sizeof probe, MF_BYPOSITION) == 0 && !separator) {
            if (keptCount < 6)
                kept[keptCount++] = i;
            else {
                // Only the six lowest positions are remembered.
                int highest = 0;
                for (int k = 1; k < 6; ++k)
                    if (kept[k] > kept[highest])
                        highest = k;
                if (i < kept[highest])
                    kept[highest] = i;
            }
            continue;
        }
        ::DeleteMenu(hTarget, i, MF_BYPOSITION);
    }
    // Kept items have moved down to the lowest positions in their order.
    const auto isKept = [&](int position) {
        for (int k = 0; k < keptCount; ++k)
            if (kept[k] == position)
                return true;
        return false;
    };
    int insertAt = 0;
    if (isKept(0)) {
        int run = 0;
        while (run < keptCount && isKept(run))
            ++run;
        insertAt = run;
    }
    insertAt = std::min(insertAt, ::GetMenuItemCount(hTarget));

    for (int i = ::GetMenuItemCount(hNewMenu) - 1; i >= 0; --i) {
        const int length = ::GetMenuStringA(hNewMenu, i, nullptr, 0, MF_BYPOSITION);
        std::vector<char> text((size_t)length * 2 + 2, '\0');
        ::GetMenuStringA(hNewMenu, i, text.data(), (int)text.size(), MF_BYPOSITION);
        if (HMENU hPopup = ::GetSubMenu(hNewMenu, i))
            ::InsertMenuA(hTarget, (UINT)insertAt, MF_BYPOSITION | MF_POPUP, (UINT_PTR)hPopup, text.data());
        else if (IsSeparatorItem(hNewMenu, i))
            ::InsertMenuA(hTarget, (UINT)insertAt, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        else
            ::InsertMenuA(hTarget, (UINT)insertAt, MF_BYPOSITION | MF_STRING, ::GetMenuItemID(hNewMenu, i),
                          text.data());
    }
    // The pop-ups now belong to the target: detach them before the new menu goes.
    for (int i = ::GetMenuItemCount(hNewMenu) - 1; i >= 0; --i)
        if (::GetSubMenu(hNewMenu, i))
            ::RemoveMenu(hNewMenu, i, MF_BYPOSITION);
    ::DestroyMenu(hNewMenu);
    if (menuBar)
        ::DrawMenuBar(pFrame->m_hWnd);
    return 1;
}
