// The platform checks: which family of Windows and which shell the library runs under.
#include "baseutil.h"

BOOL JIsWindowsNT()
{
    return (::GetVersion() & 0x80000000) == 0;
}

BOOL JIsNewShell()
{
    return LOBYTE(LOWORD(::GetVersion())) >= 4;
}
