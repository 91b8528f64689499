// Flat exports: the theme library's functions, loaded anew on every call.
#include "controlexports.h"

#include "safeload.h"

namespace {

// Calls the named function of "UxTheme.dll" with the arguments; `fallback` without it.
template <class R, class... Args>
R CallTheme(LPCSTR lpszFunction, R fallback, Args... args)
{
    HMODULE hTheme = LoadSystemModule("UxTheme.dll");
    if (!hTheme)
        return fallback;
    R result = fallback;
    if (FARPROC proc = ::GetProcAddress(hTheme, lpszFunction))
        result = reinterpret_cast<R(WINAPI*)(Args...)>(reinterpret_cast<void*>(proc))(args...);
    ::FreeLibrary(hTheme);
    return result;
}

}   // namespace

CONTROL_API HRESULT JSetWindowTheme(HWND hWnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList)
{
    return CallTheme<HRESULT>("SetWindowTheme", 0, hWnd, pszSubAppName, pszSubIdList);
}

CONTROL_API BOOL JIsThemeActive()
{
    return CallTheme<BOOL>("IsThemeActive", FALSE);
}

CONTROL_API BOOL JIsAppThemed()
{
    return CallTheme<BOOL>("IsAppThemed", FALSE);
}

CONTROL_API DWORD JGetThemeAppProperties()
{
    return CallTheme<DWORD>("GetThemeAppProperties", 0);
}

CONTROL_API HRESULT JEnableTheming(BOOL fEnable)
{
    return CallTheme<HRESULT>("EnableTheming", 0, fEnable);
}

CONTROL_API HRESULT JEnableThemeDialogTexture(HWND hWnd, DWORD dwFlags)
{
    return CallTheme<HRESULT>("EnableThemeDialogTexture", 0, hWnd, dwFlags);
}

CONTROL_API BOOL JIsThemeDialogTextureEnabled(HWND hWnd)
{
    return CallTheme<BOOL>("IsThemeDialogTextureEnabled", FALSE, hWnd);
}
