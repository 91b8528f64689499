// Entry point of CONTROL.dll; the work is in module.cpp.
#include "module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        ControlAttachProcess(hInstance);
        break;
    case DLL_PROCESS_DETACH:
        ControlDetachProcess();
        break;
    default:
        break;
    }
    return TRUE;
}
