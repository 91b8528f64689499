// The theme wrappers' call: the theme library is loaded for the one call.
#pragma once
#include "safeload.h"

#include <type_traits>
#include <windows.h>

namespace theme_call {

// What a wrapper that gives an HRESULT reports when the theme library or its
// function is missing: a failure, never S_OK. The others give 0 (FALSE).
inline constexpr HRESULT kMissing = static_cast<HRESULT>(0x80070000u | ERROR_PROC_NOT_FOUND);

template <class R>
constexpr R MissingResult()
{
    if constexpr (std::is_same_v<R, HRESULT>)
        return kMissing;
    else
        return R{};
}

// Calls `function` of "UxTheme.dll" with the arguments and gives its result.
template <class R, class... Args>
R Call(const char* function, Args... args)
{
    HMODULE hModule = LoadSystemModule("UxTheme.dll");
    if (!hModule)
        return MissingResult<R>();
    R result = MissingResult<R>();
    if (FARPROC proc = ::GetProcAddress(hModule, function))
        result = reinterpret_cast<R(WINAPI*)(Args...)>(reinterpret_cast<void*>(proc))(args...);
    ::FreeLibrary(hModule);
    return result;
}

}   // namespace theme_call
