// Flat exports: command categories.
#include "controlexports.h"

#include "callframe.h"
#include "jbars.h"
#include "jenvmanager.h"

CONTROL_API void AddCategory(const char* name, UINT smallID, UINT smallColorID, UINT largeID, UINT largeColorID,
                             const UINT* commandIDs, int count, HINSTANCE hModule, CStringArray* names)
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_categories.AddCategory(name, smallID, smallColorID, largeID, largeColorID, commandIDs, names, count,
                                        hModule, 0);
}

CONTROL_API void AddCategoryUsingBitmaps(const char* name, HBITMAP small, HBITMAP smallColor, HBITMAP large,
                                         HBITMAP largeColor, const UINT* commandIDs, int count, CStringArray* names)
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_categories.AddCategory(name, small, smallColor, large, largeColor, commandIDs, names, count, 0);
}

CONTROL_API void RemoveAllCategories()
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_categories.RemoveAllCategories();
}

CONTROL_API void RemoveCategory(const char* name)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pInfo)
        return;
    if (const JCategory* pCategory = pInfo->m_categories.GetCategory(name)) {
        // A 0 in the category is a separator, not a command: removing "command 0"
        // would take the menus' and the toolbars' separators with it.
        CUIntArray commands;
        for (INT_PTR i = 0; i < pCategory->m_arrIDs.GetSize(); ++i)
            if (pCategory->m_arrIDs[i] != 0)
                commands.Add(pCategory->m_arrIDs[i]);
        // The menus lose the commands once, whatever toolbars there are.
        for (INT_PTR i = 0; i < commands.GetSize(); ++i)
            JRemoveCommandFromMenus(commands[i], nullptr);
        ForEachControlBar(ControlFrameOfCall(), [&commands](CControlBar* pBar) {
            auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar);
            const UINT id = IsLiveBar(pBar) ? (UINT)pBar->GetDlgCtrlID() : 0;
            if (!pToolBar || id < AFX_IDW_CONTROLBAR_FIRST || id > AFX_IDW_CONTROLBAR_LAST)
                return true;
            // A toolbar left without buttons goes: its handle tells when.
            const HWND hToolBar = pToolBar->m_hWnd;
            for (INT_PTR i = 0; i < commands.GetSize() && ::IsWindow(hToolBar); ++i) {
                const int index = pToolBar->FindCommandIndex(commands[i]);
                CFrameWnd* pFrame = pToolBar->GetParentFrame();
                if (index >= 0 && pToolBar->DeleteItem(index) && pFrame && ::IsWindow(pFrame->m_hWnd))
                    pFrame->DelayRecalcLayout(TRUE);
            }
            return true;
        });
    }
    pInfo->m_categories.RemoveCategory(name);
}

namespace {

// Deletes a separator that directly follows another one.
void CollapseSeparators(HMENU hMenu)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenu);) {
        if (i > 0 && ::GetMenuItemID(hMenu, i) == 0 && ::GetMenuItemID(hMenu, i - 1) == 0 && !::GetSubMenu(hMenu, i) &&
            !::GetSubMenu(hMenu, i - 1)) {
            ::DeleteMenu(hMenu, i, MF_BYPOSITION);
            continue;
        }
        ++i;
    }
}

// Deletes the command by ID from hMenu (and its own pop-ups); collapses separators when it went.
bool DeleteCommand(HMENU hMenu, UINT commandID)
{
    const int before = ::GetMenuItemCount(hMenu);
    const bool deleted = ::DeleteMenu(hMenu, commandID, MF_BYCOMMAND) != FALSE;
    const int after = ::GetMenuItemCount(hMenu);
    if (after != before && after != 0)
        CollapseSeparators(hMenu);
    return deleted;
}

bool RemoveFromMenu(HMENU hMenu, UINT commandID, int depth)
{
    if (depth > 32)
        return false;   // a menu that contains itself
    bool any = false;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        if (HMENU hPopup = ::GetSubMenu(hMenu, i)) {
            // A pop-up whose item at the same position is a pop-up (or missing) is walked;
            // otherwise the command is deleted from it directly.
            if (::GetSubMenu(hPopup, i) || i >= ::GetMenuItemCount(hPopup))
                any = RemoveFromMenu(hPopup, commandID, depth + 1) || any;
            else
                any = DeleteCommand(hPopup, commandID) || any;
        } else {
            any = DeleteCommand(hMenu, commandID) || any;
        }
    }
    return any;
}

}   // namespace

CONTROL_API int JRemoveCommandFromMenus(UINT commandID, CMenu* pMenu)
{
    // 0 names every separator, never a command.
    CFrameWnd* pFrame = commandID != 0 ? ControlFrameOfCall() : nullptr;
    if (!pFrame)
        return 0;
    HMENU hMenu = pMenu ? pMenu->GetSafeHmenu() : ::GetMenu(pFrame->m_hWnd);
    if (!hMenu || !::IsMenu(hMenu))
        return 0;
    return RemoveFromMenu(hMenu, commandID, 0) ? 1 : 0;
}
