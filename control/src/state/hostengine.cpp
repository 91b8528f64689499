#include "hostengine.h"

#include "appcore.h"
#include "module.h"

void HostTellModuleState()
{
    AppSetModuleState(ControlModule());
}

bool HostHasApplication()
{
    return AppHasApplication() != FALSE;
}

BOOL HostMode()
{
    return AppIsHostMode();
}

IUnknown* HostQueryApplication(REFIID riid)
{
    void* pObject = nullptr;
    if (FAILED(AppGetApplicationObject(riid, &pObject)))
        return nullptr;
    return static_cast<IUnknown*>(pObject);
}

BOOL HostVersionText(GUserText& text)
{
    HostObject<IJAppVersion> version(IID_IJAppVersion);
    if (!version)
        return FALSE;
    char buffer[256] = "";
    if (FAILED(version->GetVersionText(buffer, sizeof buffer)))
        return FALSE;
    buffer[sizeof buffer - 1] = '\0';
    text = buffer;
    return TRUE;
}
