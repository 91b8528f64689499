#include "imecomposition.h"

#include "baseutil.h"

#include <imm.h>

#include <vector>

long SendComposedResult(HWND hSource, HWND hTarget)
{
    const long length = GetIMEComposedString(hSource, nullptr, 0);
    if (length <= 0 || !hTarget)
        return 0;
    // Room for the terminator and a unit more than asked for, should the result grow.
    std::vector<wchar_t> text((size_t)length + 2, L'\0');
    const long read = GetIMEComposedString(hSource, text.data(), (long)text.size());
    for (long i = 0; i < read; ++i) {
        if (!::IsWindow(hTarget))
            return i;   // a handler destroyed the window
        ::SendMessageA(hTarget, WM_IME_CHAR, (WPARAM)text[(size_t)i], 0);
    }
    return read;
}

int SendImeCharAsBytes(HWND hTarget, WPARAM wParam, wchar_t* pPendingHigh)
{
    wchar_t units[2];
    int count = 0;
    const wchar_t unit = (wchar_t)wParam;
    if (IS_HIGH_SURROGATE(unit)) {
        *pPendingHigh = unit;
        return 0;
    }
    if (IS_LOW_SURROGATE(unit) && *pPendingHigh)
        units[count++] = *pPendingHigh;
    *pPendingHigh = 0;
    units[count++] = unit;

    char bytes[8];
    const int size = ::WideCharToMultiByte(CP_THREAD_ACP, 0, units, count, bytes, sizeof bytes, nullptr, nullptr);
    for (int i = 0; i < size; ++i) {
        if (!::IsWindow(hTarget))
            return i;
        ::SendMessageA(hTarget, WM_CHAR, (WPARAM)(BYTE)bytes[i], 1);
    }
    return size;
}
