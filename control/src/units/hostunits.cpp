#include "hostunits.h"

#include "hostengine.h"

IJUnitSettings* HostUnitSettings()
{
    HostObject<IJAppDocuments> application(IID_IJAppDocuments);
    if (!application)
        return nullptr;
    IUnknown* pDocument = nullptr;
    if (FAILED(application->GetActiveDocument(&pDocument)) || !pDocument)
        return nullptr;
    void* pSettings = nullptr;
    if (FAILED(pDocument->QueryInterface(IID_IJUnitSettings, &pSettings)))
        pSettings = nullptr;
    pDocument->Release();
    return static_cast<IJUnitSettings*>(pSettings);
}
