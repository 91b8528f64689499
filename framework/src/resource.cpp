#include "afxwin.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {
std::mutex g_moduleLock;
std::vector<HINSTANCE> g_resourceModules;   // in the order they were added

bool HasResource(HINSTANCE hModule, LPCSTR lpszName, LPCSTR lpszType)
{
    return hModule && ::FindResourceA(hModule, lpszName, lpszType) != nullptr;
}
}

void AfxAddResourceModule(HINSTANCE hModule)
{
    if (!hModule)
        return;
    std::lock_guard<std::mutex> lock(g_moduleLock);
    g_resourceModules.erase(std::remove(g_resourceModules.begin(), g_resourceModules.end(), hModule),
                            g_resourceModules.end());
    g_resourceModules.push_back(hModule);
}

void AfxRemoveResourceModule(HINSTANCE hModule)
{
    std::lock_guard<std::mutex> lock(g_moduleLock);
    g_resourceModules.erase(std::remove(g_resourceModules.begin(), g_resourceModules.end(), hModule),
                            g_resourceModules.end());
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    if (HINSTANCE hCurrent = AfxGetResourceHandle(); HasResource(hCurrent, lpszName, lpszType))
        return hCurrent;
    {
        std::lock_guard<std::mutex> lock(g_moduleLock);
        for (auto it = g_resourceModules.rbegin(); it != g_resourceModules.rend(); ++it)
            if (HasResource(*it, lpszName, lpszType))
                return *it;
    }
    HINSTANCE hApp = AfxGetInstanceHandle();
    return HasResource(hApp, lpszName, lpszType) ? hApp : nullptr;
}
