#include "wndmap.h"
#include "afxwin.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {
std::mutex g_mapLock;
std::unordered_map<HWND, CWnd*> g_permanent;
// Temporary wrappers for windows the framework does not own, per thread.
thread_local std::map<HWND, std::unique_ptr<CWnd>> t_temporary;
// Size at which the map is next checked for wrappers of destroyed windows.
thread_local size_t t_temporaryCheckAt = 256;

// Hosts with a message loop of their own never reach the idle time that
// empties the map: wrappers of windows that no longer exist are dropped as
// the map grows, so it stays proportional to the windows alive.
void DropTemporariesOfDestroyedWindows()
{
    for (auto it = t_temporary.begin(); it != t_temporary.end();) {
        if (::IsWindow(it->first)) {
            ++it;
            continue;
        }
        it->second->m_hWnd = nullptr;
        it = t_temporary.erase(it);
    }
    t_temporaryCheckAt = std::max<size_t>(256, t_temporary.size() * 2);
}
}

AfxThreadState& AfxGetThreadState()
{
    thread_local AfxThreadState state;
    return state;
}

void AfxMapAdd(HWND hWnd, CWnd* pWnd)
{
    std::lock_guard<std::mutex> lock(g_mapLock);
    g_permanent[hWnd] = pWnd;
}

void AfxMapRemove(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(g_mapLock);
    g_permanent.erase(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(g_mapLock);
    auto it = g_permanent.find(hWnd);
    return it == g_permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd))
        return permanent;
    if (t_temporary.size() >= t_temporaryCheckAt && !t_temporary.count(hWnd))
        DropTemporariesOfDestroyedWindows();
    std::unique_ptr<CWnd>& temp = t_temporary[hWnd];
    if (!temp) {
        temp = std::make_unique<CWnd>();
        temp->m_hWnd = hWnd;
    }
    return temp.get();
}

void CWnd::DeleteTempMap()
{
    for (auto& entry : t_temporary)
        entry.second->m_hWnd = nullptr;   // a temporary never owns its window
    t_temporary.clear();
    // Temporary menus and GDI objects share the windows' lifetime.
    CMenu::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

size_t CWnd::GetTempMapCount()
{
    return t_temporary.size();
}
