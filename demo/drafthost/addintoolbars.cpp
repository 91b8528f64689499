#include "addintoolbars.h"

#include "appinfo.h"
#include "controllib.h"
#include "controlexports.h"
#include "jbars.h"
#include "jcontrolinfo.h"

#include <oleauto.h>

namespace {

// Whether pBar belongs to the current environment: a switch only hides the bars of the
// environment left, and the next one's add-in may make bars of the same names.
bool InCurrentEnvironment(CControlBar* pBar)
{
    const JControlOnlyInfo* pInfo = GetJControlInfo();
    if (!pInfo)
        return true;
    for (INT_PTR i = 0; i < pInfo->m_arrBars.GetSize(); ++i)
        if (pInfo->m_arrBars.GetAt(i) == pBar)
            return true;
    return false;
}

JToolBar* FindToolBar(CFrameWnd& frame, const char* name)
{
    for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos));
        if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(JToolBar)) || !pBar->m_hWnd || !InCurrentEnvironment(pBar))
            continue;
        CString caption;
        pBar->GetWindowText(caption);
        if (caption == name)
            return static_cast<JToolBar*>(pBar);
    }
    return nullptr;
}

}   // namespace

void ConnectAddInToolbars(CDraftAppInfo& app, CFrameWnd& frame, std::function<void(JToolBar*)> made)
{
    CFrameWnd* pFrame = &frame;
    auto make = [pFrame, made](const char* name, const std::vector<UINT>& ids, UINT* pnBarID) -> HRESULT {
        if (FindToolBar(*pFrame, name))
            return HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
        auto* pBar = new JToolBar;
        const DWORD style =
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
        if (!pBar->Create(pFrame, name, ids.data(), (int)ids.size(), -1, CBRS_ALIGN_ANY, style)) {
            delete pBar;   // takes a half-made window with it
            return E_FAIL;
        }
        pBar->SetDefaultButtons(ids.data(), (int)ids.size());
        pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        *pnBarID = pBar->GetDlgCtrlID();
        if (made)
            made(pBar);
        return S_OK;
    };
    auto remove = [pFrame](const char* name) -> HRESULT {
        JToolBar* pBar = FindToolBar(*pFrame, name);
        if (!pBar)
            return S_FALSE;
        pBar->DestroyWindow();   // the bar deletes itself
        pFrame->RecalcLayout();
        return S_OK;
    };
    app.SetToolbarMaker(make, remove);
}

void DisconnectAddInToolbars(CDraftAppInfo& app)
{
    app.SetToolbarMaker(nullptr, nullptr);
}

BOOL RegisterSampleAddIn()
{
    HMODULE hAddIn = ::LoadLibraryA(ProgramFolder() + "sampleaddin.dll");
    if (!hAddIn)
        return FALSE;
    using RegisterServer = HRESULT(WINAPI*)();
    const auto registerServer =
        reinterpret_cast<RegisterServer>(reinterpret_cast<void*>(::GetProcAddress(hAddIn, "DllRegisterServer")));
    const BOOL bRegistered = registerServer && SUCCEEDED(registerServer());
    ::FreeLibrary(hAddIn);
    return bRegistered;
}

std::string AddInCalls()
{
    IDispatch* pAddIn = JGetStartUpDllDispatch();
    if (!pAddIn)
        return std::string();
    LPOLESTR name = const_cast<LPOLESTR>(L"CallLog");
    DISPID id = DISPID_UNKNOWN;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    ::VariantInit(&result);
    char text[256] = "";
    if (SUCCEEDED(pAddIn->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)) &&
        SUCCEEDED(pAddIn->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr)) &&
        result.vt == VT_BSTR && result.bstrVal)
        ::WideCharToMultiByte(CP_ACP, 0, result.bstrVal, -1, text, sizeof text, nullptr, nullptr);
    text[sizeof text - 1] = '\0';
    ::VariantClear(&result);
    return text;
}
