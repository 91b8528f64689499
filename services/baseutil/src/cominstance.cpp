// Creating the host's COM objects.
#include "baseutil.h"

#include <objbase.h>

#include <cctype>

namespace {

// A full path: "C:\..." or "\\server\...".
bool IsFullPath(const char* path)
{
    return (isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
           (path[0] == '\\' && path[1] == '\\');
}

// A server of the class registered under `kind` ("InprocServer32", "LocalServer32"),
// expanded, trimmed and unquoted; the user's registration first, as Windows merges
// it over the machine's. FALSE when none.
BOOL RegisteredServer(REFCLSID rclsid, const char* kind, CString& server, bool& bUsers)
{
    wchar_t wide[40] = L"";
    char text[40] = "";
    if (!::StringFromGUID2(rclsid, wide, 40) || !::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, 40, nullptr, nullptr))
        return FALSE;
    const CString subKey = CString("CLSID\\") + text + "\\" + kind;
    char value[MAX_PATH * 2] = "";
    DWORD size = sizeof value - 1;
    bUsers = ::RegGetValueA(HKEY_CURRENT_USER, CString("Software\\Classes\\") + subKey, nullptr,
                            RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, value, &size) == ERROR_SUCCESS;
    if (!bUsers) {
        size = sizeof value - 1;
        if (::RegGetValueA(HKEY_CLASSES_ROOT, subKey, nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                           nullptr, value, &size) != ERROR_SUCCESS)
            return FALSE;
    }
    value[sizeof value - 1] = '\0';
    char expanded[MAX_PATH * 2] = "";
    const DWORD length = ::ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
    server = length > 0 && length <= sizeof expanded ? CString(expanded) : CString();
    server.Trim();
    if (server.GetLength() >= 2 && server[0] == '"' && server[server.GetLength() - 1] == '"')
        server = server.Mid(1, server.GetLength() - 2);
    return TRUE;
}

// A local server's command line names its program by full path (quoted or not):
// a bare program name would be searched for in the current directory and on PATH.
bool NamesProgramByFullPath(const CString& commandLine)
{
    const char* text = commandLine;
    return IsFullPath(*text == '"' ? text + 1 : text);
}

// Loads a server registered for the user only and asks its class factory for the
// object; the module stays loaded for the life of the process.
HRESULT CreateFromUsersServer(const CString& server, REFCLSID rclsid, LPUNKNOWN pUnkOuter, REFIID riid, LPVOID* ppv)
{
    HMODULE hModule = ::LoadLibraryExA(server, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!hModule)
        return CO_E_DLLNOTFOUND;
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, LPVOID*);
    auto getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(::GetProcAddress(hModule, "DllGetClassObject")));
    if (!getClassObject)
        return CO_E_ERRORINDLL;
    IClassFactory* pFactory = nullptr;
    HRESULT hr = getClassObject(rclsid, IID_IClassFactory, reinterpret_cast<void**>(&pFactory));
    if (FAILED(hr) || !pFactory)
        return FAILED(hr) ? hr : CO_E_ERRORINDLL;
    hr = pFactory->CreateInstance(pUnkOuter, riid, ppv);
    pFactory->Release();
    return hr;
}

}   // namespace

HRESULT JCoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    CString server;
    bool bUsers = false;
    const bool bInProcess =
        (dwClsContext & CLSCTX_INPROC_SERVER) && RegisteredServer(rclsid, "InprocServer32", server, bUsers);
    // A server registered by bare file name would be searched for on the path and
    // in the current directory: such a class is made another way or not at all.
    if (bInProcess && !IsFullPath(server))
        dwClsContext &= ~static_cast<DWORD>(CLSCTX_INPROC_SERVER);
    CString program;
    bool bUsersProgram = false;
    if ((dwClsContext & CLSCTX_LOCAL_SERVER) && RegisteredServer(rclsid, "LocalServer32", program, bUsersProgram) &&
        !NamesProgramByFullPath(program))
        dwClsContext &= ~static_cast<DWORD>(CLSCTX_LOCAL_SERVER);
    if (!(dwClsContext & (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER | CLSCTX_INPROC_HANDLER)))
        return bInProcess ? CO_E_DLLNOTFOUND : CO_E_APPNOTFOUND;
    HRESULT hr = ::CoCreateInstance(rclsid, pUnkOuter, dwClsContext, riid, ppv);
    // Systems that do not merge the user's classes into HKEY_CLASSES_ROOT miss a
    // server registered for the user only.
    if (hr == REGDB_E_CLASSNOTREG && bInProcess && bUsers && IsFullPath(server)) {
        *ppv = nullptr;
        hr = CreateFromUsersServer(server, rclsid, pUnkOuter, riid, ppv);
    }
    if (FAILED(hr))
        *ppv = nullptr;   // whatever a failing server left behind is not handed on
    return hr;
}
