#include "module.h"

#include "baseutil.h"

namespace {
HINSTANCE g_hModule = nullptr;
HINSTANCE g_hResources = nullptr;

bool IsWindows95Family()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
#pragma GCC diagnostic pop
}
}

HINSTANCE ControlModule()
{
    return g_hModule;
}

HINSTANCE ControlResources()
{
    return g_hResources;
}

void ControlAttachProcess(HINSTANCE hModule)
{
    g_hModule = hModule;
    g_hResources =
        AttachLocaleResDLL(hModule, "cntlrc.drx", LOCALE_RES_BESIDE_CALLER | LOCALE_RES_BESIDE_EXECUTABLE, 0, TRUE);
}

void ControlDetachProcess()
{
    if (g_hResources && !IsWindows95Family())
        FreeLibrary(g_hResources);
    g_hResources = nullptr;
    g_hModule = nullptr;
}
