#include "tempmap.h"
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
thread_local TemporaryHandleMap<HWND, CWnd> t_temporary{[](HWND hWnd) { return ::IsWindow(hWnd) != FALSE; },
                                                        [](CWnd& wnd) { wnd.m_hWnd = nullptr; }};
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
    std::unique_ptr<CWnd>& temp = t_temporary.Slot(hWnd);
    if (!temp) {
        temp = std::make_unique<CWnd>();
        temp->m_hWnd = hWnd;
    }
    return temp.get();
}

void CWnd::DeleteTempMap()
{
    t_temporary.DeleteAll();
    // Temporary menus and GDI objects share the windows' lifetime.
    CMenu::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

size_t CWnd::GetTempMapCount()
{
    return t_temporary.Count();
}
