// Flat exports: the theme library's functions, loaded anew on every call.
#include "controlexports.h"

#include "themecall.h"

using theme_call::Call;

CONTROL_API HRESULT JSetWindowTheme(HWND hWnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList)
{
    return Call<HRESULT>("SetWindowTheme", hWnd, pszSubAppName, pszSubIdList);
}

CONTROL_API BOOL JIsThemeActive()
{
    return Call<BOOL>("IsThemeActive");
}

CONTROL_API BOOL JIsAppThemed()
{
    return Call<BOOL>("IsAppThemed");
}

CONTROL_API DWORD JGetThemeAppProperties()
{
    return Call<DWORD>("GetThemeAppProperties");
}

CONTROL_API HRESULT JEnableTheming(BOOL fEnable)
{
    return Call<HRESULT>("EnableTheming", fEnable);
}

CONTROL_API HRESULT JEnableThemeDialogTexture(HWND hWnd, DWORD dwFlags)
{
    return Call<HRESULT>("EnableThemeDialogTexture", hWnd, dwFlags);
}

CONTROL_API BOOL JIsThemeDialogTextureEnabled(HWND hWnd)
{
    return Call<BOOL>("IsThemeDialogTextureEnabled", hWnd);
}
