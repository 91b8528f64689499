// Flat exports: commands that run macros, made through the macro host and the
// host's dynamic command provider.
#include "controlexports.h"

#include "callframe.h"
#include "jenvmanager.h"
#include "macrohostlibrary.h"

#include <string>

CONTROL_API UINT AddMacroCommand(const char* macro, HBITMAP* pBitmap)
{
    if (!macro)
        return 0;
    MacroHostLibrary host;
    if (!host.hModule)
        return 0;
    auto runMacro = host.Find<PFN_GETRUNMACRO>("GetRunMacro");
    if (!runMacro)
        return 0;
    CFrameWnd* pFrame = ControlFrameOfCall();
    int error = 0;
    char path[2048] = "";
    CLSID clsid = GUID_NULL;
    int kind = 0;
    runMacro(AfxGetSafeHwnd(pFrame), nullptr, macro, &error, path, &clsid, &kind, 0, 0, 4, 1);
    path[sizeof path - 1] = '\0';
    if (error != 0 || !path[0])
        return 0;
    auto information = host.Find<PFN_GETRUNMACROINFORMATION>("GetRunMacroInformation");
    if (!information)
        return 0;
    int value = 0;
    // The macro host's interface takes a name buffer of 50 bytes: a longer macro
    // name comes cut to 49 characters, and the provider's entry keeps at most 63.
    char name[50] = "";
    char tip[200] = "";
    char prompt[256] = "";
    HBITMAP hBitmap = nullptr;
    int other = 0;
    information(path, nullptr, &value, name, sizeof name, tip, sizeof tip, prompt, &hBitmap, &other);
    name[sizeof name - 1] = tip[sizeof tip - 1] = prompt[sizeof prompt - 1] = '\0';
    // The framework's command string: the prompt, a newline and the tip.
    const std::string commandString = std::string(prompt) + "\n" + tip;

    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    UINT commandID = 0;
    if (!pInfo || !pInfo->m_pDynamicCommand ||
        pInfo->m_pDynamicCommand->AddMacroCommand(&commandID, path, commandString.c_str(), value, name) != 0) {
        if (hBitmap)
            ::DeleteObject(hBitmap);   // nobody takes the picture
        return 0;
    }
    if (pBitmap)
        *pBitmap = hBitmap;
    else if (hBitmap)
        ::DeleteObject(hBitmap);
    return commandID;
}
