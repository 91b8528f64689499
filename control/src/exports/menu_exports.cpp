// Flat exports: the frame's menu stored per environment and rebuilt from there.
#include "controlexports.h"

#include "callframe.h"
#include "jenvmanager.h"
#include "libstate.h"
#include "menustore.h"
#include "regvalues.h"

#include <string>
#include <vector>

namespace {

bool HasTopLevelText(HMENU hMenu, const std::string& text)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i)
        if (menu_store::ItemText(hMenu, i) == text)
            return true;
    return false;
}

// The frame's menu bar without the in-place server's merged popups, with the
// stored default menu's popups in their places.
HMENU UnmergedCopy(HMENU hMenuBar, HMENU hServer)
{
    HMENU hCopy = menu_store::CopyMenu(hMenuBar, false);
    if (!hCopy)
        return nullptr;
    for (int i = ::GetMenuItemCount(hCopy) - 1; i >= 0; --i)
        if (!HasTopLevelText(hServer, menu_store::ItemText(hCopy, i)))
            ::DeleteMenu(hCopy, (UINT)i, MF_BYPOSITION);
    if (HMENU hDefault = ReadMenuFromRegistry(1)) {
        // Each popup goes in at its own position in the default menu; they leave that
        // menu only afterwards, so that the positions hold.
        std::vector<int> taken;
        const int count = ::GetMenuItemCount(hDefault);
        for (int i = 0; i < count; ++i) {
            const std::string text = menu_store::ItemText(hDefault, i);
            HMENU hPopup = ::GetSubMenu(hDefault, i);
            if (!hPopup || HasTopLevelText(hCopy, text))
                continue;
            if (::InsertMenuA(hCopy, (UINT)i, MF_BYPOSITION | MF_POPUP | MF_STRING, (UINT_PTR)hPopup, text.c_str()))
                taken.push_back(i);
        }
        for (auto position = taken.rbegin(); position != taken.rend(); ++position)
            ::RemoveMenu(hDefault, (UINT)*position, MF_BYPOSITION);
        ::DestroyMenu(hDefault);
    }
    return hCopy;
}

}   // namespace

CONTROL_API void WriteMenuToRegistry(int isDefault, const char* environment, HMENU hMenu)
{
    JEnvironmentManager* pManager = JEnvironmentManager::Get();
    HMENU hOwnedCopy = nullptr;
    if (!hMenu && pManager) {
        CFrameWnd* pFrame = ControlFrameOfCall();
        hMenu = pFrame && pFrame->m_hWnd ? ::GetMenu(pFrame->m_hWnd) : nullptr;
        HMENU hServer = pManager->GetMenuInPlaceServer();
        if (hMenu && hServer && ::IsMenu(hServer) && pManager->IsInPlaceActivated())
            hMenu = hOwnedCopy = UnmergedCopy(hMenu, hServer);
    }
    if (!pManager || !hMenu || !::IsMenu(hMenu)) {
        if (hOwnedCopy)
            ::DestroyMenu(hOwnedCopy);
        return;
    }
    if (environment && *environment)
        pManager->SetEnvironment(environment, nullptr, nullptr, nullptr);
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    GUserText path;
    if (pInfo && pInfo->MakeRegistryPath(environment, isDefault ? "DefaultMenu" : "Menu", path)) {
        // The new menu is built beside the old one, which stays until the new one is whole.
        if (HKEY hStaged = menu_store::BeginWrite(path)) {
            CMenu menu;
            menu.Attach(hMenu);
            pInfo->WriteOneMenuToRegistry(hStaged, &menu);
            menu.Detach();
            menu_store::CommitWrite(path, hStaged);
        } else {
            ReportRegistryKeyFailure();
        }
    }
    if (hOwnedCopy)
        ::DestroyMenu(hOwnedCopy);
}

CONTROL_API HMENU ReadMenuFromRegistry(int isDefault)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Get() ? JEnvironmentManager::Current() : nullptr;
    GUserText path;
    if (!pInfo || !pInfo->MakeRegistryPath(nullptr, isDefault ? "DefaultMenu" : "Menu", path))
        return nullptr;
    menu_store::FinishInterruptedWrite(path);
    HKEY hKey = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return nullptr;
    CMenu menu;
    menu.CreateMenu();
    const int read = pInfo->ReadOneMenuFromRegistry(hKey, &menu);
    ::RegCloseKey(hKey);
    HMENU hMenu = menu.Detach();
    if (read)
        return hMenu;
    ::DestroyMenu(hMenu);
    return nullptr;
}
