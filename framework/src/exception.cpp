#include "afxwin.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

namespace {
BOOL CopyMessage(LPCSTR lpszMessage, LPSTR lpszError, UINT nMaxError)
{
    if (!lpszError || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszMessage ? lpszMessage : "", (int)nMaxError);
    return lpszMessage && *lpszMessage;
}
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    CopyMessage(nullptr, lpszError, nMaxError);
    return FALSE;
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(m_lpszMessage, lpszError, nMaxError);
}

CMemoryException::CMemoryException() : CSimpleException("Out of memory.")
{
}
CResourceException::CResourceException() : CSimpleException("A required resource was unavailable.")
{
}
CUserException::CUserException() : CSimpleException("The operation was ended.")
{
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}
