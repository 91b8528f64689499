// Buttons with pictures of their own: the records that hold them, their files in
// the pictures' folder, and how a record's picture is brought up to date and
// made into the button's image.
#include "imageproc_dc.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "jimage.h"
#include "picture.h"
#include "toolbar_custombitmaps.h"

#include <algorithm>
#include <string>
#include <vector>

using imageproc::MemoryDC;
using imageproc::WindowDC;

CTMBITMAPSTRUCT::~CTMBITMAPSTRUCT()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

void CTMBITMAPSTRUCT::ReplaceBitmap(HBITMAP hNew)
{
    if (m_hBitmap && m_hBitmap != hNew)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hNew;
}

namespace custom_bitmaps {

namespace {

std::string& FolderOverride()
{
    static std::string folder;
    return folder;
}

// The wait cursor while a file is read, put back afterwards.
class WaitCursor {
public:
    WaitCursor() : m_hOld(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_hOld); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};

}   // namespace

void SetFolder(const char* lpszFolder)
{
    FolderOverride() = lpszFolder ? lpszFolder : "";
}

HBITMAP ReadBitmapFile(const char* lpszPath)
{
    if (!lpszPath || !*lpszPath)
        return nullptr;
    WaitCursor wait;
    return macrohost::LoadPictureFile(lpszPath);
}

bool WriteBitmapFile(const char* lpszPath, HBITMAP hBitmap)
{
    BITMAP bm{};
    if (!lpszPath || !*lpszPath || !hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 ||
        bm.bmHeight == 0)
        return false;
    const LONG height = std::abs(bm.bmHeight);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = bm.bmWidth;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((DWORD)bm.bmWidth * 3 + 3) & ~3u;
    header.biSizeImage = stride * (DWORD)height;
    std::vector<BYTE> bits(header.biSizeImage);
    {
        WindowDC screen(nullptr);
        if (::GetDIBits(screen, hBitmap, 0, (UINT)height, bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                        DIB_RGB_COLORS) != height)
            return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + (DWORD)bits.size();
    const HANDLE hFile =
        ::CreateFileA(lpszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(hFile, &file, sizeof file, &written, nullptr) && written == sizeof file;
    ok = ok && ::WriteFile(hFile, &header, sizeof header, &written, nullptr) && written == sizeof header;
    ok = ok && ::WriteFile(hFile, bits.data(), (DWORD)bits.size(), &written, nullptr) && written == bits.size();
    ::CloseHandle(hFile);
    if (!ok)
        ::DeleteFileA(lpszPath);
    return ok;
}

}   // namespace custom_bitmaps

CString JToolBar::GetCustomBitmapFolder()
{
    std::string folder = custom_bitmaps::FolderOverride();
    if (folder.empty()) {
        char module[MAX_PATH] = "";
        const DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return CString();
        folder.assign(module, length);
        folder = folder.substr(0, folder.find_last_of('\\') + 1) + "CustBmps";
    }
    if (folder.back() == '\\')
        folder.pop_back();
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!::CreateDirectoryA(folder.c_str(), nullptr))
            return CString();
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return CString();
    }
    return CString((folder + "\\").c_str());
}

// ---- the record list ----

CTMBITMAPSTRUCT* JToolBar::GetCustomRecord(int index) const
{
    return index >= 0 && index < m_arrCustomBitmaps.GetSize() ? static_cast<CTMBITMAPSTRUCT*>(m_arrCustomBitmaps[index])
                                                              : nullptr;
}

void JToolBar::SetCustomRecord(int index, CTMBITMAPSTRUCT* pRecord)
{
    if (index < 0)
        return;
    if (index >= m_arrCustomBitmaps.GetSize())
        m_arrCustomBitmaps.SetSize(index + 1);
    CTMBITMAPSTRUCT* pOld = GetCustomRecord(index);
    if (pOld != pRecord)
        delete pOld;
    m_arrCustomBitmaps[index] = pRecord;
}

void JToolBar::DeleteRecords()
{
    for (int i = 0; i < m_arrCustomBitmaps.GetSize(); ++i)
        delete static_cast<CTMBITMAPSTRUCT*>(m_arrCustomBitmaps[i]);
    m_arrCustomBitmaps.RemoveAll();
    for (CTMBITMAPSTRUCT* pRecord : m_loadedRecords)
        delete pRecord;
    m_loadedRecords.clear();
}

void JToolBar::AttachRecords(const UINT* lpIDArray, int nIDCount)
{
    // Every record goes with the first new button of its command; the others go.
    std::vector<CTMBITMAPSTRUCT*> pool;
    for (int i = 0; i < m_arrCustomBitmaps.GetSize(); ++i)
        if (m_arrCustomBitmaps[i])
            pool.push_back(static_cast<CTMBITMAPSTRUCT*>(m_arrCustomBitmaps[i]));
    pool.insert(pool.end(), m_loadedRecords.begin(), m_loadedRecords.end());
    m_loadedRecords.clear();
    m_arrCustomBitmaps.RemoveAll();
    m_arrCustomBitmaps.SetSize(std::max(0, nIDCount));
    for (int i = 0; lpIDArray && i < nIDCount; ++i) {
        if (lpIDArray[i] == 0)
            continue;
        auto found = std::find_if(pool.begin(), pool.end(),
                                  [id = lpIDArray[i]](CTMBITMAPSTRUCT* p) { return p->m_nCommandID == id; });
        if (found == pool.end())
            continue;
        m_arrCustomBitmaps[i] = *found;
        pool.erase(found);
    }
    for (CTMBITMAPSTRUCT* pRecord : pool)
        delete pRecord;
}

HBITMAP JToolBar::GetCustomBitmap(int index)
{
    CTMBITMAPSTRUCT* pRecord = GetCustomRecord(index);
    return pRecord ? pRecord->m_hBitmap : nullptr;
}

CTMBITMAPSTRUCT* JToolBar::GetCustomBitmapByCommand(UINT nID)
{
    for (int i = 0; i < m_arrCustomBitmaps.GetSize(); ++i)
        if (CTMBITMAPSTRUCT* pRecord = GetCustomRecord(i); pRecord && pRecord->m_nCommandID == nID)
            return pRecord;
    return nullptr;
}

// ---- pictures ----

namespace {

// A copy of the picture in the toolbar's format whose pixel (0, 0) colour became
// the button face colour; NULL when it cannot be made.
HBITMAP PreparedCopy(JToolBar* pBar, HBITMAP hBitmap)
{
    HBITMAP hCopy = pBar->CopyBitmapImage(hBitmap, nullptr);
    if (!hCopy)
        return nullptr;
    COLORREF corner = CLR_INVALID;
    {
        WindowDC screen(nullptr);
        MemoryDC dc(screen);
        if (dc.Select(hCopy))
            corner = ::GetPixel(dc, 0, 0);
    }
    if (corner != CLR_INVALID)
        JBitmapOps::ReplaceColor(hCopy, corner, ::GetSysColor(COLOR_BTNFACE));
    return hCopy;
}

CString PictureFileOf(UINT nID)
{
    const CString folder = JToolBar::GetCustomBitmapFolder();
    if (folder.IsEmpty())
        return CString();
    CString path;
    path.Format("%s%s%ld.tmp", (const char*)folder, "iCmd", (long)nID);
    return path;
}

}   // namespace

void JToolBar::SetPicture(int index, HBITMAP hBitmap)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount() || GetItemID(index) == 0)
        return;
    CTMBITMAPSTRUCT* pRecord = GetCustomRecord(index);
    if (!pRecord && !hBitmap)
        return;
    if (!pRecord) {
        pRecord = new CTMBITMAPSTRUCT;
        pRecord->m_nCommandID = GetItemID(index);
        pRecord->m_strMacro = kOverwrittenBitmap;
        pRecord->m_hBitmap = PreparedCopy(this, hBitmap);
        const CString path = PictureFileOf(pRecord->m_nCommandID);
        if (!path.IsEmpty() && custom_bitmaps::WriteBitmapFile(path, pRecord->m_hBitmap))
            pRecord->m_strBitmapFile = path;
        SetCustomRecord(index, pRecord);
    } else {
        pRecord->ReplaceBitmap(nullptr);
        if (hBitmap) {
            pRecord->m_hBitmap = PreparedCopy(this, hBitmap);
            if (pRecord->IsPicture()) {
                if (!pRecord->m_strBitmapFile.IsEmpty())
                    custom_bitmaps::WriteBitmapFile(pRecord->m_strBitmapFile, pRecord->m_hBitmap);
            } else if (!pRecord->m_strBitmapFile.IsEmpty()) {
                ::DeleteFileA(pRecord->m_strBitmapFile);
                pRecord->m_strBitmapFile.Empty();
            }
        } else if (pRecord->IsPicture()) {
            if (!pRecord->m_strBitmapFile.IsEmpty())
                ::DeleteFileA(pRecord->m_strBitmapFile);
            SetCustomRecord(index, nullptr);
        } else {
            pRecord->m_strSymbolFile.Empty();
        }
    }
    InvalidateButton(index);
    ReloadBitmap(TRUE);
}

HBITMAP JToolBar::GetPicture(int index)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount())
        return nullptr;
    if (CTMBITMAPSTRUCT* pRecord = GetCustomRecord(index); pRecord && pRecord->m_hBitmap)
        return pRecord->m_hBitmap;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    JBitmapInfo info{};
    if (!pInfo || !pInfo->GetBitmapInfo(GetItemID(index), (LPARAM)&info))
        return nullptr;
    return ExtractBitmap(info.hModule, info.nBitmap, info.nImageIndex);
}

void JToolBar::ChangeCustomBitmap(HBITMAP hBitmap, int index)
{
    CTMBITMAPSTRUCT* pRecord = GetCustomRecord(index);
    if (!pRecord || !m_hWnd)
        return;
    pRecord->ReplaceBitmap(hBitmap);
    ReloadBitmap(TRUE);
}

void JToolBar::ChangeCustomBitmap(const char* lpszBmpFile, int index)
{
    if (!GetCustomRecord(index))
        return;
    if (HBITMAP hBitmap = custom_bitmaps::ReadBitmapFile(lpszBmpFile))
        ChangeCustomBitmap(hBitmap, index);
}

void JToolBar::SetBitmapFromSymbolByCommandID(const char* lpszSymbolFile, long nID)
{
    if (!m_hWnd)
        return;
    bool matched = false;
    for (int i = 0; i < (int)GetCommandCount(); ++i) {
        if (GetItemID(i) != (UINT)nID || nID == 0)
            continue;
        CTMBITMAPSTRUCT* pRecord = GetCustomRecord(i);
        if (!pRecord) {
            pRecord = new CTMBITMAPSTRUCT;
            pRecord->m_nCommandID = (UINT)nID;
            SetCustomRecord(i, pRecord);
        }
        pRecord->m_strSymbolFile = lpszSymbolFile ? lpszSymbolFile : "";
        pRecord->ReplaceBitmap(GetSymbolAssociatedBitmap(lpszSymbolFile));
        InvalidateButton(i);
        matched = true;
    }
    if (matched)
        ReloadBitmap(TRUE);
}

void JToolBar::SetBitmapFromSymbolByButtonIndex(const char* lpszSymbolFile, int index)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount() || GetItemID(index) == 0)
        return;
    CTMBITMAPSTRUCT* pRecord = GetCustomRecord(index);
    if (!pRecord) {
        pRecord = new CTMBITMAPSTRUCT;
        pRecord->m_nCommandID = GetItemID(index);
        SetCustomRecord(index, pRecord);
    }
    pRecord->m_strSymbolFile = lpszSymbolFile ? lpszSymbolFile : "";
    pRecord->ReplaceBitmap(GetSymbolAssociatedBitmap(lpszSymbolFile));
    InvalidateButton(index);
    ReloadBitmap(TRUE);
}

// ---- fill colours ----

BOOL JToolBar::FillMaskColor(COLORREF color, long nCommandID, HINSTANCE hModule, const char* lpszMask)
{
    if (!m_hWnd)
        return FALSE;
    bool matched = false;
    for (int i = 0; i < (int)GetCommandCount(); ++i) {
        if (GetItemID(i) != (UINT)nCommandID || nCommandID == 0)
            continue;
        CTMBITMAPSTRUCT* pRecord = GetCustomRecord(i);
        if (!pRecord) {
            pRecord = new CTMBITMAPSTRUCT;
            pRecord->m_nCommandID = (UINT)nCommandID;
            SetCustomRecord(i, pRecord);
        }
        pRecord->m_crFill = color;
        pRecord->m_hFillModule = hModule;
        pRecord->m_strFillMask = lpszMask ? lpszMask : "";
        InvalidateButton(i);
        matched = true;
    }
    if (matched)
        ReloadBitmap(TRUE);
    return matched ? TRUE : FALSE;
}

HBITMAP JToolBar::AddFillColor(HBITMAP hBitmap, CTMBITMAPSTRUCT* pRecord)
{
    if (!hBitmap || !pRecord || !pRecord->m_hFillModule || pRecord->m_strFillMask.IsEmpty())
        return hBitmap;
    const COLORREF fill = pRecord->m_crFill == kFillButtonFace ? ::GetSysColor(COLOR_BTNFACE) : pRecord->m_crFill;
    if (fill > 0xFFFFFF)
        return hBitmap;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    const CString name = pRecord->m_strFillMask + (pInfo && pInfo->m_nLargeButtons == 1 ? "_ML" : "_MS");
    imageproc::Bitmap mask(static_cast<HBITMAP>(
        ::LoadImageA(pRecord->m_hFillModule, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_MONOCHROME)));
    if (!mask)
        return hBitmap;
    imageproc::Bitmap copy(CopyBitmapImage(hBitmap, nullptr));
    BITMAP bm{}, maskBm{};
    if (!copy || !::GetObjectA(copy, sizeof bm, &bm) || !::GetObjectA(mask, sizeof maskBm, &maskBm))
        return hBitmap;
    {
        WindowDC screen(nullptr);
        MemoryDC target(screen), source(screen);
        imageproc::Brush brush(::CreateSolidBrush(fill));
        if (!target.Select(copy) || !source.Select(mask) || !brush)
            return hBitmap;
        // Where the mask is black the fill colour: D = (D AND mask) OR (brush AND NOT mask).
        const HGDIOBJ hOld = ::SelectObject(target, brush);
        ::SetBkColor(target, RGB(255, 255, 255));
        ::SetTextColor(target, RGB(0, 0, 0));
        const int cx = std::min<int>(bm.bmWidth, maskBm.bmWidth);
        const int cy = std::min<int>(std::abs(bm.bmHeight), std::abs(maskBm.bmHeight));
        ::BitBlt(target, 0, 0, cx, cy, source, 0, 0, 0x00B8074A);   // PSDPxax
        ::SelectObject(target, hOld);
    }
    return copy.Release();
}

// ---- bringing a record up to date ----

void JToolBar::ReloadCustomBitmap(CTMBITMAPSTRUCT* pRecord)
{
    if (!pRecord || pRecord->m_strMacro.IsEmpty()) {
        if (pRecord && !pRecord->m_strSymbolFile.IsEmpty())
            if (HBITMAP hSymbol = GetSymbolAssociatedBitmap(pRecord->m_strSymbolFile))
                pRecord->ReplaceBitmap(hSymbol);
        return;
    }
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (pRecord->IsPicture()) {
        if (pRecord->m_hBitmap || !pRecord->m_strBitmapFile.IsEmpty()) {
            HBITMAP hNew = custom_bitmaps::ReadBitmapFile(pRecord->m_strBitmapFile);
            if (!hNew && pRecord->m_hBitmap)
                hNew = CreateMaskedBitmap(pRecord->m_hBitmap, nullptr, &face);
            if (hNew) {
                // The file holds what the user gave; its corner colour becomes the face.
                HBITMAP hPrepared = PreparedCopy(this, hNew);
                ::DeleteObject(hNew);
                if (hPrepared)
                    pRecord->ReplaceBitmap(hPrepared);
            }
        }
    } else {
        custom_bitmaps::MacroAnswer answer;
        custom_bitmaps::GetMoreInformation(pRecord->m_strMacro, answer);
        if (!pRecord->m_bPromptOverride && answer.szDescription[0] && EnsureToolTip()) {
            m_pToolTip->UpdateTipText(answer.szDescription, this, pRecord->m_nCommandID);
            m_pToolTip->Activate(TRUE);
        }
        HBITMAP hNew = answer.hBitmap;
        bool iconFound = false;
        if (!hNew) {
            hNew = GetApplicationAssociatedBitmap(pRecord->m_strMacro, nullptr, nullptr);
            if (!hNew && pRecord->m_strSymbolFile.IsEmpty()) {
                const std::string file = custom_bitmaps::GetFileNameGivenProgID(pRecord->m_strMacro);
                if (!file.empty())
                    hNew = GetApplicationAssociatedBitmap(file.c_str(), nullptr, nullptr);
            }
            iconFound = hNew != nullptr;
            if (!hNew && !pRecord->m_strBitmapFile.IsEmpty()) {
                if (HBITMAP hFile = custom_bitmaps::ReadBitmapFile(pRecord->m_strBitmapFile)) {
                    hNew = PreparedCopy(this, hFile);
                    ::DeleteObject(hFile);
                }
            }
        }
        if (hNew) {
            // The macro's flags say whether its picture outranks the record's own;
            // a record without any picture takes whatever was found.
            const int flags = answer.nFlags;
            bool replace = true;
            if (!(flags & 0x1) && (flags & 0x800) && !m_bColorReload)
                replace = true;
            else if (((!(flags & 0x20) && !(flags & 0x40)) || (flags & 0x800)) && !iconFound && !m_bColorReload)
                replace = pRecord->m_hBitmap == nullptr;
            if (replace)
                pRecord->ReplaceBitmap(hNew);
            else
                ::DeleteObject(hNew);
        }
    }
    if (!pRecord->m_strSymbolFile.IsEmpty())
        if (HBITMAP hSymbol = GetSymbolAssociatedBitmap(pRecord->m_strSymbolFile))
            pRecord->ReplaceBitmap(hSymbol);
}

HBITMAP JToolBar::MakeRecordImage(CTMBITMAPSTRUCT* pRecord)
{
    // Fill colours are the host's to paint (AddFillColor): the strip shows the picture.
    ReloadCustomBitmap(pRecord);
    return pRecord->m_hBitmap ? ResizeCustomBitmap(pRecord->m_hBitmap) : nullptr;
}
