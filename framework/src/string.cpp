#include "afxstr.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

int CString::Compare(LPCSTR psz) const
{
    return strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(LPCSTR psz) const
{
    return _stricmp(m_str.c_str(), psz ? psz : "");
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, (size_t)nStart);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, (size_t)nStart);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::ReverseFind(char ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const size_t oldLen = strlen(pszOld);
    const std::string replacement = pszNew ? pszNew : "";
    int count = 0;
    for (size_t pos = m_str.find(pszOld); pos != std::string::npos;
         pos = m_str.find(pszOld, pos + replacement.size())) {
        m_str.replace(pos, oldLen, replacement);
        ++count;
    }
    return count;
}

int CString::Remove(char ch)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    nIndex = std::clamp(nIndex, 0, GetLength());
    if (psz)
        m_str.insert((size_t)nIndex, psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex >= 0 && nIndex < GetLength() && nCount > 0)
        m_str.erase((size_t)nIndex, (size_t)nCount);
    return GetLength();
}

void CString::MakeUpper()
{
    CharUpperBuffA(m_str.data(), (DWORD)m_str.size());
}

void CString::MakeLower()
{
    CharLowerBuffA(m_str.data(), (DWORD)m_str.size());
}

void CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && isspace((unsigned char)m_str[n]))
        ++n;
    m_str.erase(0, n);
}

void CString::TrimRight()
{
    while (!m_str.empty() && isspace((unsigned char)m_str.back()))
        m_str.pop_back();
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    if (!pszFormat) {
        m_str.clear();
        return;
    }
    va_list count;
    va_copy(count, args);
    const int needed = vsnprintf(nullptr, 0, pszFormat, count);
    va_end(count);
    if (needed < 0) {
        m_str.clear();
        return;
    }
    std::string out((size_t)needed + 1, '\0');
    vsnprintf(out.data(), out.size(), pszFormat, args);
    out.resize((size_t)needed);
    m_str.swap(out);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    return AfxLoadString(hInstance, nID, *this);
}

LPSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize((size_t)nMinLength);
    return m_str.data();
}

LPSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(nLength > 0 ? (size_t)nLength : 0);
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    m_str.resize(std::min((size_t)nNewLength, m_str.size()));
}

BOOL AfxLoadString(HINSTANCE hInstance, UINT nID, CString& out)
{
    // String resources are stored as counted UTF-16 in blocks of 16.
    HRSRC block = FindResourceA(hInstance, MAKEINTRESOURCEA((nID >> 4) + 1), MAKEINTRESOURCEA(6) /* RT_STRING */);
    HGLOBAL data = block ? LoadResource(hInstance, block) : nullptr;
    const WCHAR* p = data ? static_cast<const WCHAR*>(LockResource(data)) : nullptr;
    if (!p)
        return FALSE;
    for (UINT i = 0; i < (nID & 15); ++i)
        p += 1 + *p;
    const int cch = *p++;
    if (cch == 0)
        return FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, p, cch, nullptr, 0, nullptr, nullptr);
    LPSTR buffer = out.GetBufferSetLength(bytes);
    WideCharToMultiByte(CP_ACP, 0, p, cch, buffer, bytes, nullptr, nullptr);
    out.ReleaseBuffer(bytes);
    return TRUE;
}
