// Framework exceptions: thrown as pointers to heap objects (`throw new CResourceException`);
// the catcher calls Delete() when done with one.
#pragma once
#include "afxobject.h"

class AFX_CORE_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Copies the text describing the error; FALSE (and an empty text) when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Frees a heap-allocated exception; one made with bAutoDelete FALSE stays.
    void Delete();

protected:
    BOOL m_bAutoDelete;
};

// An exception with one fixed text.
class AFX_CORE_API CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    explicit CSimpleException(LPCSTR lpszMessage) : m_lpszMessage(lpszMessage) {}

private:
    LPCSTR m_lpszMessage;
};

class AFX_CORE_API CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
};

class AFX_CORE_API CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
};

// Ends a user operation whose problem was already reported to the user.
class AFX_CORE_API CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
};

[[noreturn]] AFX_CORE_API void AfxThrowMemoryException();
[[noreturn]] AFX_CORE_API void AfxThrowResourceException();
[[noreturn]] AFX_CORE_API void AfxThrowUserException();
