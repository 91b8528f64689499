// The input-method library ("imm32.dll"), loaded from the system folder for one
// call and freed after it, so the library runs where no input method exists.
#pragma once
#include <windows.h>

class ImmLibrary {
public:
    ImmLibrary();
    ~ImmLibrary();
    ImmLibrary(const ImmLibrary&) = delete;
    ImmLibrary& operator=(const ImmLibrary&) = delete;

    explicit operator bool() const { return m_hModule != nullptr; }
    // The named entry, or NULL (also without the library).
    template <class Fn>
    Fn Find(LPCSTR lpszName) const
    {
        if (!m_hModule)
            return nullptr;
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, lpszName)));
    }

private:
    HMODULE m_hModule;
};

// Tests stand in another module name (for one that is missing); NULL restores "imm32.dll".
void SetInputMethodModuleName(LPCSTR lpszName);
