// The input method's composition result, read through "imm32.dll", which is
// loaded from the system folder for the call only: the library runs where no
// input method is installed.
#include "baseutil.h"
#include "safeload.h"

#include <imm.h>

#include <algorithm>
#include <string>

namespace {

template <class Fn>
Fn FindEntry(HMODULE hModule, LPCSTR lpszName)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName)));
}

// The whole result string of hWnd's input context; empty when there is none.
std::wstring ReadResultString(HMODULE hImm, HWND hWnd)
{
    using GetContextFn = HIMC(WINAPI*)(HWND);
    using ReleaseContextFn = BOOL(WINAPI*)(HWND, HIMC);
    using GetCompositionStringFn = LONG(WINAPI*)(HIMC, DWORD, LPVOID, DWORD);
    const auto pfnGetContext = FindEntry<GetContextFn>(hImm, "ImmGetContext");
    const auto pfnReleaseContext = FindEntry<ReleaseContextFn>(hImm, "ImmReleaseContext");
    const auto pfnGetString = FindEntry<GetCompositionStringFn>(hImm, "ImmGetCompositionStringW");
    if (!pfnGetContext || !pfnReleaseContext || !pfnGetString)
        return std::wstring();
    const HIMC hIMC = pfnGetContext(hWnd);
    if (!hIMC)
        return std::wstring();
    std::wstring text;
    // The size is in bytes; errors are negative.
    const LONG bytes = pfnGetString(hIMC, GCS_RESULTSTR, nullptr, 0);
    if (bytes > 0) {
        text.resize((size_t)bytes / sizeof(wchar_t) + 1);
        const LONG read = pfnGetString(hIMC, GCS_RESULTSTR, text.data(), (DWORD)(text.size() * sizeof(wchar_t)));
        text.resize(read > 0 ? std::min((size_t)read / sizeof(wchar_t), text.size()) : 0);
    }
    pfnReleaseContext(hWnd, hIMC);
    return text;
}

}   // namespace

long GetIMEComposedString(HWND hWnd, wchar_t* buffer, long cchBuffer)
{
    if (buffer && cchBuffer > 0)
        buffer[0] = L'\0';
    if (!hWnd || (buffer && cchBuffer <= 0))
        return 0;
    const HMODULE hImm = LoadSystemModule("imm32.dll");
    if (!hImm)
        return 0;
    const std::wstring text = ReadResultString(hImm, hWnd);
    ::FreeLibrary(hImm);
    if (!buffer)
        return (long)text.size();
    const long copied = std::min((long)text.size(), cchBuffer - 1);
    text.copy(buffer, (size_t)copied);
    buffer[copied] = L'\0';
    return copied;
}
