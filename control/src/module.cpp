#include "module.h"

#include "baseutil.h"
#include "cntlrc.h"
#include "controlexports.h"
#include "jbutton.h"
#include "jcolorpicker.h"
#include "jdllhook.h"
#include "jenvmanager.h"
#include "junitcombo.h"
#include "junitedit.h"
#include "jimage.h"
#include "jtabbar.h"
#include "libstate.h"

#include <vector>

namespace {
HINSTANCE g_hModule = nullptr;
HINSTANCE g_hResources = nullptr;
HINSTANCE g_hStyles = nullptr;
ControlProcessState g_state;

bool IsWindows95Family()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
#pragma GCC diagnostic pop
}

void FreeResourceModule(HINSTANCE& hModule)
{
    if (hModule) {
        AfxRemoveResourceModule(hModule);
        if (!IsWindows95Family())
            FreeLibrary(hModule);
    }
    hModule = nullptr;
}
}   // namespace

// Registered while the module's static data are initialised.
const UINT JM_LOADADDINS = ::RegisterWindowMessageA("JLOADADDINS");
const UINT JM_UNLOADADDINS = ::RegisterWindowMessageA("JUNLOADADDINS");
const UINT JM_LOADRIBBONBAR = ::RegisterWindowMessageA("JLOADRIBBONBAR");
const UINT JM_UNLOADRIBBONBAR = ::RegisterWindowMessageA("JUNLOADRIBBONBAR");
const UINT JM_LOADTOOLBARFROMDLL = ::RegisterWindowMessageA("JLOADTOOLBARFROMDLL");
const UINT JM_UNLOADTOOLBARFROMDLL = ::RegisterWindowMessageA("JUNLOADTOOLBARFROMDLL");

ControlProcessState& ControlState()
{
    return g_state;
}

HINSTANCE ControlModule()
{
    return g_hModule;
}

HINSTANCE ControlResources()
{
    return g_hResources;
}

HINSTANCE ControlStyleResources()
{
    return g_hStyles;
}

void ControlAttachProcess(HINSTANCE hModule)
{
    g_hModule = hModule;
    const UINT where = LOCALE_RES_BESIDE_CALLER | LOCALE_RES_BESIDE_EXECUTABLE;
    g_hResources = AttachLocaleResDLL(hModule, "cntlrc.drx", where, 0, TRUE);
    g_hStyles = AttachLocaleResDLL(hModule, "Styles.drx", where, 0, TRUE);
    // The framework finds the library's resources (cursors, bitmaps) after the host's.
    if (g_hResources)
        AfxAddResourceModule(g_hResources);
    if (g_hStyles)
        AfxAddResourceModule(g_hStyles);
    g_state = ControlProcessState();
}

void ControlDetachProcess()
{
    delete g_state.pManager;
    g_state.pManager = nullptr;
    // The add-in's module may be gone already: its object is forgotten, not released.
    g_state.pSharedStartUpDispatch = nullptr;
    FreeResourceModule(g_hResources);
    FreeResourceModule(g_hStyles);
    JImageList::ReleaseSharedDCs();
    JTabbarButton::FreeSharedDrawingObjects();
    JButton::FreeSharedDrawingObjects();
    // No hook or per-thread clean-up routine may outlive the module's code.
    JDLLHook::FreeHookIndex();
    g_hModule = nullptr;
}

CONTROL_API void InitCustomControls()
{
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    // The window classes dialog templates can name, in a fixed order; each
    // control class adds its registration here as it comes.
    const ControlClassRegistrar registrars[] = {
        &JUnitEdit::RegisterControlClass,
        &JDistanceEdit::RegisterControlClass,
        &JAngleEdit::RegisterControlClass,
        &JDirectionEdit::RegisterControlClass,
        &JScalarEdit::RegisterControlClass,
        &JUnitComboBox::RegisterControlClass,
        &JDistanceComboBox::RegisterControlClass,
        &JAngleComboBox::RegisterControlClass,
        &JDirectionComboBox::RegisterControlClass,
        &JScalarComboBox::RegisterControlClass,
        &JWeightComboBox::RegisterControlClass,
        &JButton::RegisterControlClass,
        &JSpacer::RegisterControlClass,
        &JColorComboBox::RegisterControlClass,
    };
    for (ControlClassRegistrar pfnRegister : registrars)
        pfnRegister();
}

CString LibraryText(UINT nID, LPCSTR lpszFallback)
{
    CString text;
    if (!g_hResources || !AfxLoadString(g_hResources, nID, text) || text.IsEmpty())
        text = lpszFallback;
    return text;
}

HFONT CreateLibraryFont(LONG nWeight, UINT nIDFace)
{
    LOGFONTA font{};
    if (HDC hScreen = ::GetDC(nullptr)) {
        font.lfHeight = -::MulDiv(atoi(LibraryText(IDS_UNITEDIT_FONT_SIZE, "8")), ::GetDeviceCaps(hScreen, LOGPIXELSY), 72);
        ::ReleaseDC(nullptr, hScreen);
    }
    font.lfWeight = nWeight;
    font.lfCharSet = LangIDToFontCharSet(::GetUserDefaultLangID());
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, LibraryText(nIDFace, "MS Sans Serif"), LF_FACESIZE);
    return ::CreateFontIndirectA(&font);
}

int ShowLibraryMessage(UINT nIDText, LPCSTR lpszFallback, UINT nType)
{
    const CString text = LibraryText(nIDText, lpszFallback);
    CString caption;
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
        pInfo && pInfo->m_pAppInfo && pInfo->m_pAppInfo->GetMessageCaption())
        caption = pInfo->m_pAppInfo->GetMessageCaption();
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread ? pThread->GetMainWnd() : nullptr;
    return ::MessageBoxA(AfxGetSafeHwnd(pMainWnd), text, caption, nType);
}

void ReportRegistryKeyFailure()
{
    ShowLibraryMessage(IDS_REGKEY_CREATE_FAILED, "A registry key could not be created.",
                       MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND);
}
