// The macro host library (macrohost.dll beside the executable), loaded for the
// length of a call and freed when it ends.
#pragma once
#include "macrohost.h"
#include "safeload.h"

struct MacroHostLibrary {
    HMODULE hModule = LoadModuleBesideExecutable("macrohost.dll");

    MacroHostLibrary() = default;
    MacroHostLibrary(const MacroHostLibrary&) = delete;
    MacroHostLibrary& operator=(const MacroHostLibrary&) = delete;
    ~MacroHostLibrary()
    {
        if (hModule)
            ::FreeLibrary(hModule);
    }

    // The entry point by name; NULL when the library or the entry point is missing.
    template <class F>
    F Find(LPCSTR lpszName) const
    {
        return hModule ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName))) : nullptr;
    }
};
