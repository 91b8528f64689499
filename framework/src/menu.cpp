#include "afxwin.h"
#include "tempmap.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
std::mutex g_menuMapLock;
std::unordered_map<HMENU, CMenu*> g_permanentMenus;
thread_local TemporaryHandleMap<HMENU, CMenu> t_temporaryMenus{[](HMENU hMenu) { return ::IsMenu(hMenu) != FALSE; },
                                                               [](CMenu& menu) { menu.m_hMenu = nullptr; }};

CMenu* FromHandlePermanent(HMENU hMenu)
{
    std::lock_guard<std::mutex> lock(g_menuMapLock);
    auto it = g_permanentMenus.find(hMenu);
    return it == g_permanentMenus.end() ? nullptr : it->second;
}
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(hMenu))
        return permanent;
    std::unique_ptr<CMenu>& temp = t_temporaryMenus.Slot(hMenu);
    if (!temp) {
        temp = std::make_unique<CMenu>();
        temp->m_hMenu = hMenu;
    }
    return temp.get();
}

void CMenu::DeleteTempMap()
{
    t_temporaryMenus.DeleteAll();
}

size_t CMenu::GetTempMapCount()
{
    return t_temporaryMenus.Count();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    std::lock_guard<std::mutex> lock(g_menuMapLock);
    g_permanentMenus[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    if (hMenu) {
        std::lock_guard<std::mutex> lock(g_menuMapLock);
        auto it = g_permanentMenus.find(hMenu);
        if (it != g_permanentMenus.end() && it->second == this)
            g_permanentMenus.erase(it);
    }
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    if (m_hMenu)
        return FALSE;
    const LPCSTR kMenuType = MAKEINTRESOURCEA(4);   // RT_MENU in either character set
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, kMenuType);
    return hInst && Attach(::LoadMenuA(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
    // Wine fills a short buffer to its end without the terminating NUL.
    if (lpString && nMaxCount > 0)
        lpString[std::clamp(length, 0, nMaxCount - 1)] = 0;
    return length;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int length = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    char* buffer = rString.GetBuffer(length + 1);
    const int copied = ::GetMenuStringA(m_hMenu, nIDItem, buffer, length + 1, nFlags);
    rString.ReleaseBuffer(copied > 0 ? copied : 0);
    return copied;
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}
