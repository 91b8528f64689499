#include "baseutil.h"

void GUserText::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_text.FormatV(pszFormat, args);
    va_end(args);
}

BOOL GUserText::LoadString(HINSTANCE hInstance, UINT nID)
{
    m_text.Empty();
    return AfxLoadString(hInstance, nID, m_text);
}

BOOL GUserText::FormatResource(HINSTANCE hInstance, UINT nID, ...)
{
    CString format;
    if (!AfxLoadString(hInstance, nID, format)) {
        m_text.Empty();
        return FALSE;
    }
    va_list args;
    va_start(args, nID);
    m_text.FormatV(format, args);
    va_end(args);
    return TRUE;
}

std::wstring GUserText::ToWide(UINT codePage) const
{
    const int length = GetLength();
    if (length == 0)
        return std::wstring();
    const int cch = MultiByteToWideChar(codePage, 0, m_text, length, nullptr, 0);
    std::wstring wide((size_t)(cch > 0 ? cch : 0), L'\0');
    if (cch > 0)
        MultiByteToWideChar(codePage, 0, m_text, length, wide.data(), cch);
    return wide;
}

GUserText GUserText::FromWide(LPCWSTR text, UINT codePage)
{
    GUserText result;
    const int length = text ? (int)wcslen(text) : 0;
    if (length == 0)
        return result;
    const int bytes = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return result;
    WideCharToMultiByte(codePage, 0, text, length, result.m_text.GetBufferSetLength(bytes), bytes, nullptr, nullptr);
    result.m_text.ReleaseBuffer(bytes);
    return result;
}

BOOL GUserText::ConvertCodePage(UINT fromCodePage, UINT toCodePage)
{
    if (IsEmpty() || fromCodePage == toCodePage)
        return TRUE;
    const std::wstring wide = ToWide(fromCodePage);
    if (wide.empty())
        return FALSE;
    GUserText converted = FromWide(wide.c_str(), toCodePage);
    if (converted.IsEmpty())
        return FALSE;
    *this = converted;
    return TRUE;
}
