// The utility library: text values, registry creation, error reporting and
// locale resource modules, as the control library uses them.
#pragma once
#include "afxwin.h"
#include <string>

#ifdef BASEUTIL_BUILD
#define BASEUTIL_API __declspec(dllexport)
#else
#define BASEUTIL_API __declspec(dllimport)
#endif

// An ANSI text value.
class BASEUTIL_API GUserText {
public:
    GUserText() = default;
    GUserText(LPCSTR psz) : m_text(psz) {}
    GUserText(const CString& text) : m_text(text) {}

    GUserText& operator=(LPCSTR psz)
    {
        m_text = psz;
        return *this;
    }
    GUserText& operator+=(const GUserText& other)
    {
        m_text += other.m_text;
        return *this;
    }
    GUserText& operator+=(LPCSTR psz)
    {
        m_text += psz;
        return *this;
    }
    GUserText& operator+=(char ch)
    {
        m_text += ch;
        return *this;
    }

    int GetLength() const { return m_text.GetLength(); }
    BOOL IsEmpty() const { return m_text.IsEmpty(); }
    void Empty() { m_text.Empty(); }
    operator LPCSTR() const { return m_text; }
    LPCSTR GetString() const { return m_text; }
    const CString& Text() const { return m_text; }

    int Compare(LPCSTR psz) const { return m_text.Compare(psz); }
    int CompareNoCase(LPCSTR psz) const { return m_text.CompareNoCase(psz); }

    void Format(LPCSTR pszFormat, ...) AFX_PRINTF_MEMBER(2, 3);
    // Loads string nID of hInstance; FALSE (and empty) when it is absent.
    BOOL LoadString(HINSTANCE hInstance, UINT nID);
    // Formats with string nID of hInstance as the printf format; FALSE when it is absent.
    BOOL FormatResource(HINSTANCE hInstance, UINT nID, ...);

    // Code-page conversion: to and from UTF-16, and from one ANSI code page to another.
    std::wstring ToWide(UINT codePage = CP_ACP) const;
    static GUserText FromWide(LPCWSTR text, UINT codePage = CP_ACP);
    // Re-encodes text held in fromCodePage into toCodePage; FALSE (unchanged) on failure.
    BOOL ConvertCodePage(UINT fromCodePage, UINT toCodePage);

private:
    CString m_text;
};

inline GUserText operator+(const GUserText& a, const GUserText& b)
{
    GUserText r(a);
    r += b;
    return r;
}
inline GUserText operator+(const GUserText& a, LPCSTR b)
{
    GUserText r(a);
    r += b;
    return r;
}
inline GUserText operator+(LPCSTR a, const GUserText& b)
{
    GUserText r(a);
    r += b;
    return r;
}
inline bool operator==(const GUserText& a, const GUserText& b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const GUserText& a, LPCSTR b)
{
    return a.Compare(b) == 0;
}
inline bool operator!=(const GUserText& a, const GUserText& b)
{
    return a.Compare(b) != 0;
}
inline bool operator!=(const GUserText& a, LPCSTR b)
{
    return a.Compare(b) != 0;
}
inline bool operator<(const GUserText& a, const GUserText& b)
{
    return a.Compare(b) < 0;
}

// Creates or opens a registry key, as RegCreateKeyExA does, by a path of any length.
BASEUTIL_API LONG JRegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                                  REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                                  LPDWORD lpdwDisposition);

// Whether the system is of the NT family, and whether it has the newer shell (version 4 on),
// whose controls are drawn flatter.
BASEUTIL_API BOOL JIsWindowsNT();
BASEUTIL_API BOOL JIsNewShell();

// Reports a failed result code with its source file and line to the debugger
// output and returns the code unchanged (success codes pass silently).
BASEUTIL_API HRESULT HRerr(HRESULT hr, LPCSTR lpszSource, int nLine);

// Creates a COM object as CoCreateInstance does. An in-process server registered
// by a bare file name (which the system would search for on the path and in the
// current directory) is not loaded: the class is made by the other contexts asked
// for, or CO_E_DLLNOTFOUND when there are none. *ppv is NULL on failure.
BASEUTIL_API HRESULT JCoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                       LPVOID* ppv);

// Where AttachLocaleResDLL looks for a resource module.
enum : UINT {
    LOCALE_RES_BESIDE_CALLER = 1,       // the folder of the module that calls
    LOCALE_RES_BESIDE_EXECUTABLE = 2,   // the folder of the host executable
};

// Loads the named locale resource module and returns its handle, or NULL.
// hCaller is the module whose folder LOCALE_RES_BESIDE_CALLER means. The
// subfolders named by the language (decimal LANGID; 0 means the user's
// default UI language) of every folder of `where` are searched first, then,
// when `fallback` is TRUE, the folders themselves, caller's before executable's.
BASEUTIL_API HINSTANCE AttachLocaleResDLL(HMODULE hCaller, LPCSTR lpszModuleName, UINT where, LANGID language,
                                          BOOL fallback);
// The font character set of a language: the one of its default ANSI code page, or
// ANSI_CHARSET when the language or its code page is unknown.
BASEUTIL_API BYTE LangIDToFontCharSet(LANGID language);
// The current composition result of hWnd's input context, in UTF-16 units. With a
// buffer, copies at most cchBuffer - 1 units and a terminating NUL and returns the
// units copied; with a NULL buffer returns the whole length. 0 without an input
// method library, context or result.
BASEUTIL_API long GetIMEComposedString(HWND hWnd, wchar_t* buffer, long cchBuffer);

#include "unitsvc.h"
