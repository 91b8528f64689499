// The host engine: answers the host set beforehand, and a record of what the
// library told it. Every entry may be called from any thread; the state is
// guarded by one lock, and no call into the application object runs under it.
#include "appcore.h"

#include "appdispatch.h"

#include <cstring>
#include <new>

namespace {

SRWLOCK g_lock = SRWLOCK_INIT;
IUnknown* g_pApplication = nullptr;
CLSID g_engineClsid = GUID_NULL;
bool g_hasEngineClsid = false;
BOOL g_hostMode = FALSE;
BOOL g_helpFlag = FALSE;
char g_specialBarName[128] = "";
AppCoreRecord g_record = {};

class ExclusiveLock {
public:
    ExclusiveLock() { ::AcquireSRWLockExclusive(&g_lock); }
    ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&g_lock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
};

}   // namespace

HRESULT WINAPI AppGetEngineClsid(CLSID* pClsid)
{
    if (!pClsid)
        return E_POINTER;
    ExclusiveLock lock;
    *pClsid = g_hasEngineClsid ? g_engineClsid : GUID_NULL;
    return g_hasEngineClsid ? S_OK : E_FAIL;
}

HRESULT WINAPI AppGetApplicationObject(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    IUnknown* pApplication = nullptr;
    {
        ExclusiveLock lock;
        pApplication = g_pApplication;
        if (pApplication)
            pApplication->AddRef();
    }
    if (!pApplication)
        return E_FAIL;
    if (IsEqualIID(riid, IID_IDispatch)) {
        // Add-ins get the engine's automation object over the host's.
        auto* pDispatch = new (std::nothrow) ApplicationDispatch(pApplication);
        pApplication->Release();
        *ppv = static_cast<IDispatch*>(pDispatch);
        return pDispatch ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT hr = pApplication->QueryInterface(riid, ppv);
    if (FAILED(hr))
        *ppv = nullptr;   // an object that leaves junk behind must not hand it on
    else if (!*ppv)
        hr = E_NOINTERFACE;
    pApplication->Release();
    return hr;
}

BOOL WINAPI AppHasApplication()
{
    ExclusiveLock lock;
    return g_pApplication != nullptr;
}

void WINAPI AppSetModuleState(HMODULE hModule)
{
    ExclusiveLock lock;
    g_record.hLastModuleState = hModule;
}

HBITMAP WINAPI AppLoadBitmap(HINSTANCE hModule, UINT nIDResource)
{
    if (!hModule)
        return nullptr;
    return static_cast<HBITMAP>(
        ::LoadImageA(hModule, MAKEINTRESOURCEA(nIDResource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

BOOL WINAPI AppIsHostMode()
{
    ExclusiveLock lock;
    return g_hostMode;
}

BOOL WINAPI AppGetHelpFlag()
{
    ExclusiveLock lock;
    return g_helpFlag;
}

const char* WINAPI AppGetSpecialBarName()
{
    // The buffer lives as long as the module; a later AppCoreSetSpecialBarName
    // changes what it holds, as the host intends.
    return g_specialBarName;
}

void WINAPI AppInPlaceFrameRegistered()
{
    ExclusiveLock lock;
    ++g_record.nInPlaceRegistered;
}

void WINAPI AppSetInPlaceFrames(HWND hWndInPlace, HWND hWndSecond, HWND hWndClient)
{
    ExclusiveLock lock;
    g_record.hWndInPlace = hWndInPlace;
    g_record.hWndSecond = hWndSecond;
    g_record.hWndClient = hWndClient;
}

HRESULT WINAPI ULocalizedHelp(HWND /*hWnd*/, UINT /*nCommand*/, DWORD dwContext, LPCSTR /*lpszHelpFile*/, BOOL bFlag)
{
    ExclusiveLock lock;
    ++g_record.nHelpCalls;
    g_record.dwLastHelpContext = dwContext;
    g_record.bLastHelpFlag = bFlag;
    return dwContext ? S_OK : E_INVALIDARG;
}

void WINAPI AppCoreSetApplicationObject(IUnknown* pApplication)
{
    if (pApplication)
        pApplication->AddRef();
    IUnknown* pOld = nullptr;
    {
        ExclusiveLock lock;
        pOld = g_pApplication;
        g_pApplication = pApplication;
    }
    if (pOld)
        pOld->Release();   // outside the lock: the object's destructor may call back
}

void WINAPI AppCoreSetEngineClsid(const CLSID* pClsid)
{
    ExclusiveLock lock;
    g_hasEngineClsid = pClsid != nullptr;
    g_engineClsid = pClsid ? *pClsid : GUID_NULL;
}

void WINAPI AppCoreSetHostMode(BOOL bHostMode)
{
    ExclusiveLock lock;
    g_hostMode = bHostMode;
}

void WINAPI AppCoreSetHelpFlag(BOOL bFlag)
{
    ExclusiveLock lock;
    g_helpFlag = bFlag;
}

void WINAPI AppCoreSetSpecialBarName(const char* lpszName)
{
    ExclusiveLock lock;
    const char* name = lpszName ? lpszName : "";
    const size_t length = strnlen(name, sizeof g_specialBarName - 1);
    memcpy(g_specialBarName, name, length);
    g_specialBarName[length] = '\0';
}

void WINAPI AppCoreGetRecord(AppCoreRecord* pRecord)
{
    if (!pRecord)
        return;
    ExclusiveLock lock;
    *pRecord = g_record;
}

void WINAPI AppCoreResetRecord()
{
    ExclusiveLock lock;
    g_record = AppCoreRecord{};
}
