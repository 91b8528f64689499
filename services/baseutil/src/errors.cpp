#include "baseutil.h"

#include <cstring>

HRESULT HRerr(HRESULT hr, LPCSTR lpszSource, int nLine)
{
    if (SUCCEEDED(hr))
        return hr;
    char description[256] = "";
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, (DWORD)hr, 0, description,
                       sizeof description, nullptr)) {
        // System texts end with a line break of their own.
        for (size_t n = strlen(description); n > 0 && (description[n - 1] == '\n' || description[n - 1] == '\r');)
            description[--n] = '\0';
    }
    CString report;
    report.Format("%s(%d): error 0x%08lX %s\n", lpszSource ? lpszSource : "?", nLine, (unsigned long)hr, description);
    OutputDebugStringA(report);
    return hr;
}
