/* A DLL that must never be loaded: planted in the working directory under the
   names of modules the library loads by name, it announces itself when it is. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID reserved)
{
    (void)hInstance;
    (void)reserved;
    if (dwReason == DLL_PROCESS_ATTACH)
        CreateEventA(NULL, TRUE, TRUE, "CONTROL_PLANTED_DLL_LOADED");
    return TRUE;
}
