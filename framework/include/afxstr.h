// CString: an ANSI text value.
#pragma once
#include "afxdef.h"
#include <cstdarg>
#include <string>

class AFX_CORE_API CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCSTR psz) : m_str(psz ? psz : "") {}
    CString(LPCSTR pch, int nLength) : m_str(pch ? pch : "", pch && nLength > 0 ? (size_t)nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? (size_t)nRepeat : 0, ch) {}
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR psz)
    {
        m_str = psz ? psz : "";
        return *this;
    }
    CString& operator=(char ch)
    {
        m_str.assign(1, ch);
        return *this;
    }

    CString& operator+=(const CString& s)
    {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(LPCSTR psz)
    {
        if (psz)
            m_str += psz;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_str += ch;
        return *this;
    }

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const { return m_str.at((size_t)i); }
    void SetAt(int i, char ch) { m_str.at((size_t)i) = ch; }
    char operator[](int i) const { return GetAt(i); }
    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);
    void MakeUpper();
    void MakeLower();
    void TrimLeft();
    void TrimRight();
    void Trim()
    {
        TrimRight();
        TrimLeft();
    }

    void Format(LPCSTR pszFormat, ...) AFX_PRINTF_MEMBER(2, 3);
    void FormatV(LPCSTR pszFormat, va_list args);
    // Loads string nID from the framework's current resource module.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct buffer access: the buffer holds at least nMinLength characters
    // plus a terminating NUL; ReleaseBuffer fixes the length (-1: up to the NUL).
    LPSTR GetBuffer(int nMinLength = 0);
    LPSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    std::string m_str;
};

inline CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(const CString& a, LPCSTR b)
{
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(LPCSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}
inline bool operator==(const CString& a, LPCSTR b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(LPCSTR a, const CString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator==(const CString& a, const CString& b)
{
    return a.Compare(b) == 0;
}
inline bool operator!=(const CString& a, LPCSTR b)
{
    return a.Compare(b) != 0;
}
inline bool operator!=(const CString& a, const CString& b)
{
    return a.Compare(b) != 0;
}
inline bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}

// Loads a string resource as ANSI text from hInstance; FALSE when it is absent.
AFX_CORE_API BOOL AfxLoadString(HINSTANCE hInstance, UINT nID, CString& out);
