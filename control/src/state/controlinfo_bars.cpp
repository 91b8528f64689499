// The control state: categories of commands, the environment's bars and command states.
#include "jcontrolinfo.h"

#include "callframe.h"
#include "hostengine.h"
#include "jbars.h"

// ---- categories ----

JCategory* JControlOnlyInfo::GetCommandCategory(UINT commandID)
{
    // Later registrations win for images and modules.
    for (INT_PTR i = m_categories.GetSize() - 1; i >= 0; --i) {
        JCategory* pCategory = m_categories.GetCategory((int)i);
        if (pCategory && pCategory->FindPosition(commandID) >= 0)
            return pCategory;
    }
    return nullptr;
}

HINSTANCE JControlOnlyInfo::GetCategoryInstanceHandle(UINT commandID)
{
    if (JCategory* pCategory = GetCommandCategory(commandID))
        return pCategory->m_hModule;
    return nullptr;
}

void JControlOnlyInfo::GetMessageString(UINT commandID, CString& out)
{
    if (CFrameWnd* pFrame = ControlFrameOfCall())
        pFrame->GetMessageString(commandID, out);
}

HWND JControlOnlyInfo::GetActiveDlg()
{
    if (m_hWndActiveDialog)
        return m_hWndActiveDialog;
    if (m_hWndCustomizePage)
        return ::GetParent(m_hWndCustomizePage);
    return nullptr;
}

// ---- bars ----

int JControlOnlyInfo::FindBar(CControlBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (m_arrBars[i] == pBar)
            return (int)i;
    return -1;
}

namespace {

JBarVisibility* NewVisibilityRecord(CControlBar* pBar)
{
    const bool live = IsLiveBar(pBar);
    return new JBarVisibility{pBar, live ? pBar->m_hWnd : nullptr, live && pBar->IsWindowVisible()};
}

}   // namespace

void JControlOnlyInfo::FreeVisibilityRecords()
{
    for (INT_PTR i = 0; i < m_arrVisibility.GetSize(); ++i)
        delete static_cast<JBarVisibility*>(m_arrVisibility[i]);
    m_arrVisibility.RemoveAll();
}

void JControlOnlyInfo::AddToolbar(CControlBar* pBar)
{
    if (!pBar || FindBar(pBar) >= 0)
        return;
    // While the environment is hidden its bars' visibility is remembered.
    if (m_arrVisibility.GetSize() > 0)
        m_arrVisibility.Add(NewVisibilityRecord(pBar));
    m_arrBars.Add(pBar);
    m_bToolbarsDirty = TRUE;
}

void JControlOnlyInfo::RemoveToolbar(CControlBar* pBar)
{
    // A hidden environment remembers every bar of the frame, its own or not:
    // the record goes even when the bar was never listed here.
    for (INT_PTR i = m_arrVisibility.GetSize() - 1; i >= 0; --i) {
        auto* pRecord = static_cast<JBarVisibility*>(m_arrVisibility[i]);
        if (pRecord->pBar == pBar) {
            delete pRecord;
            m_arrVisibility.RemoveAt(i);
        }
    }
    const int index = FindBar(pBar);
    if (index < 0)
        return;
    m_arrBars.RemoveAt(index);
    m_bToolbarsDirty = TRUE;
}

namespace {

bool IsEnvironmentBar(CControlBar* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(JDialogBar)) ||
           pBar->IsKindOf(RUNTIME_CLASS(CBaseDialogBar));
}

GUserText EnvironmentOf(CControlBar* pBar)
{
    if (auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar))
        return pToolBar->m_strEnvironment;
    // A ribbon bar is a CBaseDialogBar in C++ even though its run-time class says otherwise.
    if (pBar->IsKindOf(RUNTIME_CLASS(JDialogBar)) || pBar->IsKindOf(RUNTIME_CLASS(CBaseDialogBar)))
        return static_cast<CBaseDialogBar*>(pBar)->m_strEnvironment;
    return GUserText();
}

// Hides a bar, or the frame it floats in.
void HideBar(CControlBar* pBar)
{
    if (!IsLiveBar(pBar))
        return;
    CWnd* pFloating = FloatingFrameOf(pBar);
    if (pFloating && !ControlInPlaceFrame())
        pFloating->ShowWindow(SW_HIDE);
    else
        pBar->ShowWindow(SW_HIDE);
}

}   // namespace

void JControlOnlyInfo::ToolbarListCleanUp()
{
    for (INT_PTR i = m_arrVisibility.GetSize() - 1; i >= 0; --i) {
        auto* pRecord = static_cast<JBarVisibility*>(m_arrVisibility[i]);
        if (!pRecord->pBar) {
            delete pRecord;
            m_arrVisibility.RemoveAt(i);
        }
    }
    for (INT_PTR i = m_arrBars.GetSize() - 1; i >= 0; --i)
        if (!m_arrBars[i])
            m_arrBars.RemoveAt(i);
    ForEachControlBar(ControlFrameOfCall(), [this](CControlBar* pBar) {
        if (!IsEnvironmentBar(pBar))
            return true;
        if (EnvironmentOf(pBar) == m_strCustomEnvironment) {
            AddToolbar(pBar);
        } else {
            RemoveToolbar(pBar);
            HideBar(pBar);
        }
        return true;
    });
}

void JControlOnlyInfo::UpdateToolbars(int recalcLayout)
{
    const bool large = m_nLargeButtons == 1;
    const CSize sizeButton = large ? JToolBar::kLargeButton : JToolBar::kSmallButton;
    const CSize sizeImage = large ? JToolBar::kLargeImage : JToolBar::kSmallImage;
    const BOOL bGripper = m_nGripperBar == 1;
    const long nAppearance = UsesFlatButtons() ? 1 : 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CControlBar*>(m_arrBars[i]);
        if (!IsLiveBar(pBar))
            continue;
        auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar);
        if (!pToolBar)
            continue;
        // A flyout never shows a gripper.
        const BOOL bBarGripper = pToolBar->m_bIsFlyout ? FALSE : bGripper;
        if (pToolBar->m_sizeButton == sizeButton && pToolBar->m_sizeImage == sizeImage &&
            pToolBar->GetGripperBar() == bBarGripper && pToolBar->GetAppearance() == nAppearance &&
            pToolBar->GetTransparentColor() == m_crTransparent)
            continue;
        pToolBar->SetTransparentColor(m_crTransparent);
        pToolBar->SetSizes(sizeButton, sizeImage);
        pToolBar->SetGripperBar(bBarGripper);
        pToolBar->SetAppearance(nAppearance);
        if (recalcLayout && !pToolBar->m_bIsFlyout)
            if (CFrameWnd* pFrame = pToolBar->GetParentFrame())
                pFrame->DelayRecalcLayout(TRUE);
    }
}

void JControlOnlyInfo::Show(int show)
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread ? pThread->GetMainWnd() : nullptr;
    if (!pMainWnd || !pMainWnd->m_hWnd || !pMainWnd->IsWindowVisible() || show == m_bShown)
        return;
    ToolbarListCleanUp();
    m_bShown = show;
    if (!show) {
        FreeVisibilityRecords();
        ForEachControlBar(ControlFrameOfCall(), [this](CControlBar* pBar) {
            m_arrVisibility.Add(NewVisibilityRecord(pBar));
            return true;
        });
    }
    const bool inPlace = ControlInPlaceFrame() != nullptr;
    CFrameWnd* pFrame = ControlFrameOfCall();
    for (INT_PTR i = 0; i < m_arrVisibility.GetSize(); ++i) {
        const auto* pRecord = static_cast<JBarVisibility*>(m_arrVisibility[i]);
        CControlBar* pBar = pRecord->pBar;
        // A record may name a bar deleted since (a framework bar tells nobody),
        // its address perhaps taken by a new bar: only the very window recorded
        // is touched, and only while the frame still lists its bar.
        if (!pFrame || !pFrame->m_listControlBars.Find(pBar) || !IsLiveBar(pBar) || pBar->m_hWnd != pRecord->hWnd)
            continue;
        const bool visible = show && pRecord->bVisible;
        if (!IsEnvironmentBar(pBar))
            continue;
        pBar->ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
        // A floating frame shows exactly when a bar in it does: one that was hidden before the
        // environment went away stays hidden, and so does the frame around it.
        if (CWnd* pFloating = FloatingFrameOf(pBar); pFloating && !inPlace)
            pFloating->ShowWindow(show && pBar->m_pDockBar->GetDockedVisibleCount() ? SW_SHOWNA : SW_HIDE);
    }
    // The records live only while the bars are hidden.
    if (show)
        FreeVisibilityRecords();
}

void JControlOnlyInfo::FillMaskColor(COLORREF color, long value, HINSTANCE hModule, const char* name)
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        auto* pBar = static_cast<CControlBar*>(m_arrBars[i]);
        if (auto* pToolBar = IsLiveBar(pBar) ? DYNAMIC_DOWNCAST(JToolBar, pBar) : nullptr)
            pToolBar->FillMaskColor(color, value, hModule, name);
    }
}

int JControlOnlyInfo::WriteHotKeyValuesToRegistry(CFrameWnd*, HKEY, const char*)
{
    return 0;
}

int JControlOnlyInfo::ReadHotKeyValuesFromRegistry(CFrameWnd*, HKEY, const char*)
{
    return 0;
}

int JControlOnlyInfo::RemoveHotKeyValuesFromRegistry(CFrameWnd*, HKEY, const char*)
{
    return 0;
}

// ---- command state ----

void JControlOnlyInfo::SetCommandState(DWORD commandID, int value, DWORD flags)
{
    JCommandState* pRecord = nullptr;
    for (INT_PTR i = 0; i < m_arrCommandStates.GetSize() && !pRecord; ++i)
        if (static_cast<JCommandState*>(m_arrCommandStates[i])->nCommandID == commandID)
            pRecord = static_cast<JCommandState*>(m_arrCommandStates[i]);
    if (!pRecord) {
        m_arrCommandStates.Add(new JCommandState{commandID, (DWORD)value, flags});
        return;
    }
    // Flags that exclude one another: 0x10 clears 0x20 and 0x02; then 0x20 clears 0x10 and 0x01.
    if (flags & 0x10)
        flags &= ~(0x20u | 0x02u);
    if (flags & 0x20)
        flags &= ~(0x10u | 0x01u);
    if ((pRecord->dwFlags & 0x01) && !(flags & 0x01)) {
        pRecord->dwFlags = flags;   // the value stays while its flag goes
        return;
    }
    pRecord->dwValue = (DWORD)value;
    pRecord->dwFlags = flags;
}

long JControlOnlyInfo::GetCommandState(DWORD commandID, int* value, DWORD* flags)
{
    if (value)
        *value = 0;
    if (flags)
        *flags = 0;
    for (INT_PTR i = 0; i < m_arrCommandStates.GetSize(); ++i) {
        const auto* pRecord = static_cast<JCommandState*>(m_arrCommandStates[i]);
        if (pRecord->nCommandID != commandID)
            continue;
        if (value)
            *value = (int)pRecord->dwValue;
        if (flags)
            *flags = pRecord->dwFlags;
        return (long)i;
    }
    return -1;
}
