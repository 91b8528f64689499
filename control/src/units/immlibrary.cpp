#include "immlibrary.h"

#include "safeload.h"

namespace {
const char kInputMethodModule[] = "imm32.dll";
LPCSTR g_lpszModuleName = kInputMethodModule;
}   // namespace

ImmLibrary::ImmLibrary() : m_hModule(LoadSystemModule(g_lpszModuleName))
{
}

ImmLibrary::~ImmLibrary()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

void SetInputMethodModuleName(LPCSTR lpszName)
{
    g_lpszModuleName = lpszName ? lpszName : kInputMethodModule;
}
