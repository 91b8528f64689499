// Macro buttons: the macro host's answers about a macro, the icons of the files
// behind macros and symbols, and the operations that add buttons to a toolbar.
#include "jbars.h"
#include "jenvmanager.h"
#include "jimage.h"
#include "cntlrc.h"
#include "macrohostlibrary.h"
#include "module.h"
#include "toolbar_custombitmaps.h"
#include "imageproc_dc.h"

#include "controlexports.h"

#include <algorithm>
#include <cstring>

namespace custom_bitmaps {

namespace {

void EndTexts(MacroAnswer& answer)
{
    answer.szName[sizeof answer.szName - 1] = '\0';
    answer.szDescription[sizeof answer.szDescription - 1] = '\0';
}

}   // namespace

bool GetMacroInformation(const char* lpszMacro, MacroAnswer& answer)
{
    if (!lpszMacro || !*lpszMacro)
        return false;
    MacroHostLibrary host;
    auto query = host.Find<PFN_GETRUNMACROINFORMATION>("GetRunMacroInformation");
    if (!query)
        return false;
    CLSID clsid{};
    int value = 0;
    char prompt[256] = "";
    const HRESULT hr = query(lpszMacro, &clsid, &value, answer.szName, (int)sizeof answer.szName, answer.szDescription,
                             (int)sizeof answer.szDescription, prompt, &answer.hBitmap, &answer.nTransparent);
    EndTexts(answer);
    return SUCCEEDED(hr);
}

bool GetMoreInformation(const char* lpszMacro, MacroAnswer& answer)
{
    if (!lpszMacro || !*lpszMacro)
        return false;
    MacroHostLibrary host;
    auto query = host.Find<PFN_GETMOREMACROINFORMATION>("GetMoreMacroInformation");
    if (!query)
        return false;
    CLSID clsid{};
    int value = 0;
    char prompt[256] = "";
    char extra[256] = "";
    const HRESULT hr = query(lpszMacro, &clsid, &value, answer.szName, (int)sizeof answer.szName, answer.szDescription,
                             (int)sizeof answer.szDescription, prompt, (int)sizeof prompt, extra, &answer.nFlags,
                             &answer.hBitmap, &answer.nTransparent);
    EndTexts(answer);
    return SUCCEEDED(hr);
}

bool GetDefaultStatusAndToolTip(char* lpszTip, char* lpszStatus)
{
    lpszTip[0] = lpszStatus[0] = '\0';
    MacroHostLibrary host;
    auto query = host.Find<PFN_GETDEFAULTSTATUSANDTOOLTIP>("GetDefaultStatusAndToolTip");
    if (!query)
        return false;
    const HRESULT hr = query(50, lpszTip, 200, lpszStatus);
    lpszTip[49] = lpszStatus[199] = '\0';
    return SUCCEEDED(hr);
}

std::string GetFileNameGivenProgID(const char* lpszProgID)
{
    if (!lpszProgID || !*lpszProgID)
        return std::string();
    MacroHostLibrary host;
    auto query = host.Find<PFN_GETFILENAMEGIVENPROGID>("GetFileNameGivenProgID");
    if (!query)
        return std::string();
    char file[MAX_PATH] = "";
    if (FAILED(query(lpszProgID, file)))
        return std::string();
    file[MAX_PATH - 1] = '\0';
    return file;
}

HBITMAP DefaultMacroBitmap()
{
    HINSTANCE hResources = ControlResources();
    if (!hResources || !::FindResourceA(hResources, MAKEINTRESOURCEA(IDB_DEFAULT_MACRO), MAKEINTRESOURCEA(2)))
        return nullptr;
    return static_cast<HBITMAP>(::LoadImageA(hResources, MAKEINTRESOURCEA(IDB_DEFAULT_MACRO), IMAGE_BITMAP, 0, 0, 0));
}

}   // namespace custom_bitmaps

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return (char)::tolower((unsigned char)c); });
    return text;
}

}   // namespace

HBITMAP JToolBar::GetApplicationAssociatedBitmap(const char* lpszFile, HBITMAP* phColor, HBITMAP* phMask)
{
    if (phColor)
        *phColor = nullptr;
    if (phMask)
        *phMask = nullptr;
    if (!lpszFile || !*lpszFile)
        return nullptr;
    std::string file = lpszFile;
    const std::string lower = Lower(file);
    if (lower.find(".dll") != std::string::npos || lower.find(".ocx") != std::string::npos)
        return nullptr;
    if (file.find('"') != std::string::npos) {
        file.erase(0, 1);
        if (file.find('"') != std::string::npos && !file.empty())
            file.pop_back();
    }
    // Only a file that is there has an icon: the shell would give any other name
    // its default one.
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    HMODULE hData = ::LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char path[MAX_PATH] = "";
    lstrcpynA(path, file.c_str(), MAX_PATH);
    WORD index = 0;
    HICON hIcon = ::ExtractAssociatedIconA(AfxGetInstanceHandle(), path, &index);
    if (hData)
        ::FreeLibrary(hData);
    if (!hIcon)
        return nullptr;
    ICONINFO info{};
    const BOOL bInfo = ::GetIconInfo(hIcon, &info);
    BITMAP bm{};
    HBITMAP hResult = nullptr;
    if (bInfo && info.hbmMask && ::GetObjectA(info.hbmMask, sizeof bm, &bm)) {
        // The icon drawn through its mask on the button face: its transparent
        // part takes the face colour, as a masked copy of its colour bitmap would.
        const int cx = bm.bmWidth, cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        imageproc::WindowDC screen(nullptr);
        hResult = ::CreateCompatibleBitmap(screen, cx, cy);
        imageproc::MemoryDC dc(screen);
        if (hResult && dc.Select(hResult)) {
            const RECT all = {0, 0, cx, cy};
            ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DrawIconEx(dc, 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        }
    }
    ::DestroyIcon(hIcon);
    if (!bInfo) {
        if (hResult)
            ::DeleteObject(hResult);
        return nullptr;
    }
    if (phColor)
        *phColor = info.hbmColor;
    else if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (phMask)
        *phMask = info.hbmMask;
    else if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return hResult;
}

int JToolBar::AddButton(UINT nID, int index, HBITMAP hBitmap, const char* lpszMacro)
{
    if (!m_hWnd)
        return -1;
    const int count = (int)GetCommandCount();
    if (index < 0 || index > count)
        return -1;
    CUIntArray current;
    GetButtonIDs(current);
    std::vector<UINT> ids(current.GetData(), current.GetData() + current.GetSize());
    CTMBITMAPSTRUCT* pRecord = nullptr;
    if (hBitmap && lpszMacro) {
        pRecord = new CTMBITMAPSTRUCT;
        pRecord->m_nCommandID = nID;
        pRecord->m_hBitmap = hBitmap;
        pRecord->m_strMacro = lpszMacro;
    }
    ids.insert(ids.begin() + index, nID);
    m_arrCustomBitmaps.InsertAt(index, pRecord);
    m_arrFlyouts.InsertAt(index, (void*)nullptr);
    if (index != 0 && !ids.empty() && ids[0] == (UINT)-1) {
        delete static_cast<CTMBITMAPSTRUCT*>(m_arrCustomBitmaps[0]);
        m_arrCustomBitmaps.RemoveAt(0);
        m_arrFlyouts.RemoveAt(0);
    }
    int at = index;
    if (nID != 0) {
        // No separator leads or ends the toolbar.
        while (!ids.empty() && ids.front() == 0) {
            ids.erase(ids.begin());
            --at;
        }
        while (!ids.empty() && ids.back() == 0)
            ids.pop_back();
    }
    if (!SetButtonIDs(ids.data(), (int)ids.size()))
        return -1;
    Invalidate();
    return at;
}

int JToolBar::AppendButton(UINT nID)
{
    return AddButton(nID, (int)GetCommandCount(), nullptr, nullptr);
}

int JToolBar::AddMacroButton(const char* lpszMacro, int index)
{
    if (!m_hWnd || !lpszMacro || index < 0 || index > (int)GetCommandCount())
        return -1;
    HBITMAP hBitmap = nullptr;
    const UINT nID = ::AddMacroCommand(lpszMacro, &hBitmap);
    if (nID == 0)
        return -1;
    if (!hBitmap)
        hBitmap = custom_bitmaps::DefaultMacroBitmap();
    // The button's record owns the picture from here on.
    return AddButton(nID, index, hBitmap, lpszMacro);
}

int JToolBar::AppendMacroButton(const char* lpszMacro)
{
    return AddMacroButton(lpszMacro, (int)GetCommandCount());
}

int JToolBar::AddMacroButton(UINT nID, CString strName, HBITMAP hBitmap, CRect* pScreenRect)
{
    if (!m_hWnd || nID == 0)
        return -1;
    // Where a drop at the rectangle lands: before the button under its centre (after
    // it past the button's middle), else at the end.
    int index = (int)GetCommandCount();
    if (pScreenRect) {
        CPoint point = pScreenRect->CenterPoint();
        ScreenToClient(&point);
        for (int i = 0; i < (int)GetCommandCount(); ++i) {
            CRect rect;
            GetItemRect(i, rect);
            if (rect.PtInRect(point)) {
                const bool bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0 || IsFloating();
                index = i + ((bHorz ? point.x > rect.CenterPoint().x : point.y > rect.CenterPoint().y) ? 1 : 0);
                break;
            }
        }
    }
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    IJDynamicCommand* pProvider = pInfo ? pInfo->m_pDynamicCommand : nullptr;
    HBITMAP hCopy = pProvider && hBitmap ? CopyBitmapImage(hBitmap, nullptr) : nullptr;
    CString macro = strName;
    if (pProvider) {
        char text[256] = "";
        if (pProvider->GetMacroText(nID, text, (int)sizeof text) > 0 && text[0]) {
            text[sizeof text - 1] = '\0';
            macro = text;
        }
    }
    return AddButton(nID, index, hCopy, hCopy ? (const char*)macro : nullptr);
}

HBITMAP JToolBar::GetSymbolAssociatedBitmap(const char* lpszSymbolFile)
{
    if (!lpszSymbolFile || !*lpszSymbolFile)
        return nullptr;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    const bool bLarge = pInfo && pInfo->m_nLargeButtons == 1;
    HBITMAP hColor = nullptr, hMask = nullptr;
    if (!custom_bitmaps::ReadSymbolIcon(lpszSymbolFile, bLarge, hColor, hMask))
        return nullptr;
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    HBITMAP hResult = CreateMaskedBitmap(hColor, hMask, &face);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hResult;
}
