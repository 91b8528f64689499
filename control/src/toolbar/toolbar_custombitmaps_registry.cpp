// The picture records in the toolbar's registry key: written with the toolbar,
// read back before its buttons so that each record finds its button again.
#include "imageproc_dc.h"
#include "jappinfo.h"
#include "jbars.h"
#include "jenvmanager.h"
#include "regvalues.h"
#include "toolbar_custombitmaps.h"
#include "toolbar_registry.h"

#include <algorithm>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

using namespace toolbar_key;

namespace {

std::string Numbered(const char* format, int n)
{
    char name[64];
    wsprintfA(name, format, n);
    return name;
}

// The eight numbers of "CustomBitmap%d".
struct StoredBitmap {
    LONG nCommandID, bmType, bmWidth, bmHeight, bmWidthBytes, bmPlanes, bmBitsPixel, nBytes;
};
static_assert(sizeof(StoredBitmap) == 32);

// Rows of GetBitmapBits: padded to a whole 16-bit word.
LONG WordStride(LONG width, LONG bits)
{
    return (LONG)(((long long)width * bits + 15) / 16 * 2);
}

// A device-dependent bitmap whose description matches the bits GetBitmapBits gives:
// the bitmap itself, or for a DIB section (whose described rows are padded to
// 32 bits) a screen-format copy.
HBITMAP DeviceBitmapOf(HBITMAP hBitmap, bool& bCopy)
{
    bCopy = false;
    DIBSECTION dib{};
    if (::GetObjectA(hBitmap, sizeof dib, &dib) != sizeof dib)
        return hBitmap;
    const BITMAP& bm = dib.dsBm;
    imageproc::WindowDC screen(nullptr);
    HBITMAP hCopy = ::CreateCompatibleBitmap(screen, bm.bmWidth, std::abs(bm.bmHeight));
    imageproc::MemoryDC source(screen), target(screen);
    if (!hCopy || !source.Select(hBitmap) || !target.Select(hCopy)) {
        target.Unselect();
        if (hCopy)
            ::DeleteObject(hCopy);
        return nullptr;
    }
    ::BitBlt(target, 0, 0, bm.bmWidth, std::abs(bm.bmHeight), source, 0, 0, SRCCOPY);
    bCopy = true;
    return hCopy;
}

bool WriteStoredBitmap(HKEY hKey, int n, UINT nCommandID, HBITMAP hBitmap)
{
    bool bCopy = false;
    HBITMAP hDevice = DeviceBitmapOf(hBitmap, bCopy);
    imageproc::Bitmap copy(bCopy ? hDevice : nullptr);
    BITMAP bm{};
    if (!hDevice || !::GetObjectA(hDevice, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    // The whole padded rows: as many bytes as GetBitmapBits gives and CreateBitmapIndirect takes.
    const LONG nBytes = bm.bmWidthBytes * bm.bmHeight;
    std::vector<BYTE> bits((size_t)nBytes);
    if (::GetBitmapBits(hDevice, nBytes, bits.data()) != nBytes)
        return false;
    const StoredBitmap stored = {(LONG)nCommandID, bm.bmType,   bm.bmWidth,     bm.bmHeight,
                                 bm.bmWidthBytes,  bm.bmPlanes, bm.bmBitsPixel, nBytes};
    return WriteRegBytes(hKey, Numbered("CustomBitmap%d", n).c_str(), &stored, sizeof stored) &&
           WriteRegBytes(hKey, Numbered("CustomBitmapBits%d", n).c_str(), bits.data(), (DWORD)bits.size());
}

// The bitmap of a stored description and its bits, or NULL when they do not make
// one: sizes no button picture has, rows that are not GetBitmapBits rows. Bits
// counted without the rows' padding (width x height x depth / 8) are taken too:
// what they lack is left black.
HBITMAP ReadStoredBitmap(const StoredBitmap& stored, const std::vector<BYTE>& bits)
{
    static constexpr LONG kDepths[] = {1, 4, 8, 16, 24, 32};
    if (stored.bmType != 0 || stored.bmWidth < 1 || stored.bmWidth > 1024 || stored.bmHeight < 1 ||
        stored.bmHeight > 1024 || stored.bmPlanes != 1 ||
        std::find(std::begin(kDepths), std::end(kDepths), stored.bmBitsPixel) == std::end(kDepths) ||
        stored.bmWidthBytes != WordStride(stored.bmWidth, stored.bmBitsPixel))
        return nullptr;
    std::vector<BYTE> rows((size_t)stored.bmWidthBytes * (size_t)stored.bmHeight);
    std::memcpy(rows.data(), bits.data(), std::min(rows.size(), bits.size()));
    BITMAP bm{};
    bm.bmWidth = stored.bmWidth;
    bm.bmHeight = stored.bmHeight;
    bm.bmWidthBytes = stored.bmWidthBytes;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = (WORD)stored.bmBitsPixel;
    bm.bmBits = rows.data();
    return ::CreateBitmapIndirect(&bm);
}

// A new unique picture file in the folder, or "".
std::string NewPictureFile(const CString& folder)
{
    char path[MAX_PATH] = "";
    if (folder.IsEmpty() || !::GetTempFileNameA(folder, "_TB", 0, path))
        return std::string();
    return path;
}

}   // namespace

BOOL JToolBar::WritePictureRecords(HKEY hKey)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    IJDynamicCommand* pProvider = pInfo ? pInfo->m_pDynamicCommand : nullptr;
    bool ok = true;
    // The records an earlier write left in the key, counted by its list; a key whose
    // list cannot be read is searched for them at the end.
    int nOld = 0;
    bool bOldCounted = m_bWritingNewKey != FALSE;
    if (!bOldCounted) {
        std::vector<UINT> old;
        if (ReadRegList(hKey, "CustomBitmaps", kListBytes, old)) {
            bOldCounted = true;
            nOld = !old.empty() && old[0] == (UINT)-1 ? 0 : (int)old.size();
        }
    }
    // Removes a value record n of an earlier write may hold.
    const auto dropOld = [&](int n, const std::string& name) {
        if (!bOldCounted || n < nOld)
            ::RegDeleteValueA(hKey, name.c_str());
    };
    std::vector<UINT> written;
    // The unique files an earlier save of this key made go once this one is written.
    std::vector<std::string> stale;
    CString folder;
    // A new key names no files yet: those of the key it replaces go with that key.
    for (int n = 0; !m_bWritingNewKey; ++n) {
        char file[MAX_PATH] = "";
        if (!ReadRegText(hKey, Numbered("CustomBitmapFile%d", n).c_str(), file, sizeof file))
            break;
        if (n == 0)
            folder = GetCustomBitmapFolder();
        const size_t length = (size_t)folder.GetLength();
        if (length == 0)
            break;
        if (std::strlen(file) > length + 3 && _strnicmp(file, folder, length) == 0 &&
            _strnicmp(file + length, "_TB", 3) == 0 && !std::strchr(file + length, '\\'))
            stale.emplace_back(file);
    }
    const int nButtons = std::min((int)GetCommandCount(), (int)kMostListed);
    for (int i = 0; i < nButtons; ++i) {
        CTMBITMAPSTRUCT* pRecord = GetCustomRecord(i);
        // A picture whose file could not be read keeps naming its file: the file
        // is the user's, and may be readable again.
        const bool bUnread =
            pRecord && !pRecord->m_hBitmap && pRecord->IsPicture() && !pRecord->m_strBitmapFile.IsEmpty();
        if (!pRecord || (!pRecord->m_hBitmap && !bUnread))
            continue;
        const int n = (int)written.size();
        const std::string fileName = Numbered("CustomBitmapFile%d", n), idName = Numbered("CustomBitmapID%d", n);
        const std::string headerName = Numbered("CustomBitmap%d", n), bitsName = Numbered("CustomBitmapBits%d", n);

        // An image the macro or its files give again need not be kept.
        bool reproducible = false;
        if (!pRecord->IsPicture() && !pRecord->m_strMacro.IsEmpty()) {
            custom_bitmaps::MacroAnswer answer;
            custom_bitmaps::GetMacroInformation(pRecord->m_strMacro, answer);
            HBITMAP hFound = answer.hBitmap;
            if (!hFound && !pRecord->m_strSymbolFile.IsEmpty())
                hFound = GetSymbolAssociatedBitmap(pRecord->m_strSymbolFile);
            else if (!hFound)
                hFound = GetApplicationAssociatedBitmap(pRecord->m_strMacro, nullptr, nullptr);
            reproducible = hFound != nullptr;
            if (hFound)
                ::DeleteObject(hFound);
        } else if (!pRecord->IsPicture() && !pRecord->m_strSymbolFile.IsEmpty()) {
            HBITMAP hFound = GetSymbolAssociatedBitmap(pRecord->m_strSymbolFile);
            reproducible = hFound != nullptr;
            if (hFound)
                ::DeleteObject(hFound);
        }
        std::string file;
        if (bUnread) {
            file = (const char*)pRecord->m_strBitmapFile;
        } else if (reproducible) {
            file = kInternalBitmap;
        } else {
            file = pRecord->IsPicture() && !pRecord->m_strBitmapFile.IsEmpty()
                       ? std::string(pRecord->m_strBitmapFile)
                       : NewPictureFile(GetCustomBitmapFolder());
            if (!file.empty() && !custom_bitmaps::WriteBitmapFile(file.c_str(), pRecord->m_hBitmap)) {
                if (!(pRecord->IsPicture() && file == (const char*)pRecord->m_strBitmapFile))
                    ::DeleteFileA(file.c_str());
                file.clear();
            }
        }
        if (!file.empty()) {
            stale.erase(
                std::remove_if(stale.begin(), stale.end(),
                               [&](const std::string& old) { return _stricmp(old.c_str(), file.c_str()) == 0; }),
                stale.end());
            ok = WriteRegText(hKey, fileName.c_str(), file.c_str()) && ok;
            ok = WriteRegNumber(hKey, idName.c_str(), pRecord->m_nCommandID) && ok;
            dropOld(n, headerName);
            dropOld(n, bitsName);
        } else {
            // No file: the bitmap itself, when it can be described.
            dropOld(n, fileName);
            dropOld(n, idName);
            if (!WriteStoredBitmap(hKey, n, pRecord->m_nCommandID, pRecord->m_hBitmap))
                continue;
        }

        std::string macro = (const char*)pRecord->m_strMacro;
        if (!pRecord->IsPicture() && pProvider) {
            const int entry = pProvider->FindCommand(pRecord->m_nCommandID);
            const JMacroCommandEntry* pEntry = entry >= 0 ? pProvider->GetEntry(entry) : nullptr;
            if (pEntry) {
                macro.assign(pEntry->szMacro, strnlen(pEntry->szMacro, sizeof pEntry->szMacro));
            } else {
                char text[256] = "";
                if (pProvider->GetMacroText(pRecord->m_nCommandID, text, (int)sizeof text) > 0) {
                    text[sizeof text - 1] = '\0';
                    macro = text;
                }
            }
        }
        ok = WriteRegText(hKey, Numbered("CustomBitmapString%d", n).c_str(), macro.c_str()) && ok;
        const std::string symbolName = Numbered("CustomSymbolString%d", n);
        if (!pRecord->m_strSymbolFile.IsEmpty())
            ok = WriteRegText(hKey, symbolName.c_str(), pRecord->m_strSymbolFile) && ok;
        else
            dropOld(n, symbolName);
        ok = WriteRegNumber(hKey, Numbered("CustomPromptOverride%d", n).c_str(), pRecord->m_bPromptOverride ? 1 : 0) &&
             ok;
        // The prompt and tip as the provider has them; without one, the record's own tip.
        std::string prompt;
        if (pProvider) {
            char status[512] = "", tip[256] = "";
            pProvider->GetStatusPrompt(pRecord->m_nCommandID, status, (int)sizeof status);
            pProvider->GetToolTip(pRecord->m_nCommandID, tip, (int)sizeof tip);
            status[sizeof status - 1] = tip[sizeof tip - 1] = '\0';
            prompt = std::string(status) + "\n" + tip;
        } else if (pRecord->m_bPromptOverride) {
            prompt = "\n" + std::string(pRecord->m_strToolTip);
        }
        ok = WriteRegText(hKey, Numbered("CustomPrompt%d", n).c_str(), prompt.substr(0, 1023).c_str()) && ok;
        written.push_back((UINT)i);
    }
    // Values of records an earlier save wrote beyond these go.
    for (int n = (int)written.size(); !bOldCounted || n < nOld; ++n) {
        bool any = false;
        for (const char* format :
             {"CustomBitmapFile%d", "CustomBitmapID%d", "CustomBitmap%d", "CustomBitmapBits%d", "CustomBitmapString%d",
              "CustomSymbolString%d", "CustomPromptOverride%d", "CustomPrompt%d"})
            any = ::RegDeleteValueA(hKey, Numbered(format, n).c_str()) == ERROR_SUCCESS || any;
        if (!any && !bOldCounted)
            break;
    }
    for (const std::string& old : stale)
        ::DeleteFileA(old.c_str());
    if (written.empty())
        written.push_back((UINT)-1);
    return (WriteRegList(hKey, "CustomBitmaps", written) && ok) ? TRUE : FALSE;
}

BOOL JToolBar::ReadPictureRecord(HKEY hKey, int n, CTMBITMAPSTRUCT*& pResult)
{
    pResult = nullptr;
    auto pRecord = std::make_unique<CTMBITMAPSTRUCT>();
    char file[MAX_PATH] = "";
    DWORD id = (DWORD)-1;
    const bool bHasID = ReadRegNumber(hKey, Numbered("CustomBitmapID%d", n).c_str(), &id);
    if (ReadRegText(hKey, Numbered("CustomBitmapFile%d", n).c_str(), file, sizeof file)) {
        if (std::strcmp(file, kInternalBitmap) != 0) {
            pRecord->m_strBitmapFile = file;
            // An unreadable file leaves the record without a picture; it is kept.
            pRecord->m_hBitmap = custom_bitmaps::ReadBitmapFile(file);
        }
        pRecord->m_nCommandID = bHasID ? (UINT)id : (UINT)-1;
    } else {
        StoredBitmap stored{};
        DWORD type = 0, size = kRecordHeaderBytes;
        BYTE header[kRecordHeaderBytes] = {};
        if (::RegQueryValueExA(hKey, Numbered("CustomBitmap%d", n).c_str(), nullptr, &type, header, &size) !=
            ERROR_SUCCESS)
            return FALSE;
        std::memcpy(&stored, header, std::min<size_t>(size, sizeof stored));
        const std::string bitsName = Numbered("CustomBitmapBits%d", n);
        DWORD bytes = 0;
        if (::RegQueryValueExA(hKey, bitsName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            return FALSE;
        // No more than a picture of the largest sides and depth holds.
        constexpr DWORD kMostBits = 1024 * 1024 * 4;
        if (size >= sizeof stored && bytes <= kMostBits) {
            std::vector<BYTE> bits(bytes);
            if (::RegQueryValueExA(hKey, bitsName.c_str(), nullptr, &type, bits.data(), &bytes) == ERROR_SUCCESS) {
                bits.resize(std::min<size_t>(bytes, (size_t)std::max<LONG>(0, stored.nBytes)));
                pRecord->m_hBitmap = ReadStoredBitmap(stored, bits);
            }
        }
        pRecord->m_nCommandID = (UINT)stored.nCommandID;
    }

    char text[1024] = "";
    if (ReadRegText(hKey, Numbered("CustomBitmapString%d", n).c_str(), text, sizeof text))
        pRecord->m_strMacro = text;
    if (ReadRegText(hKey, Numbered("CustomSymbolString%d", n).c_str(), text, sizeof text))
        pRecord->m_strSymbolFile = text;
    DWORD overrideFlag = 0;
    pRecord->m_bPromptOverride =
        ReadRegNumber(hKey, Numbered("CustomPromptOverride%d", n).c_str(), &overrideFlag) && overrideFlag != 0;
    char storedPrompt[1024] = "";
    bool bHasPrompt = ReadRegText(hKey, Numbered("CustomPrompt%d", n).c_str(), storedPrompt, sizeof storedPrompt);

    // The prompt texts: the macro host's, unless the user replaced them.
    std::string name, description;
    const bool bMacro = !pRecord->m_strMacro.IsEmpty() && !pRecord->IsPicture();
    if (bMacro) {
        custom_bitmaps::MacroAnswer answer;
        custom_bitmaps::GetMacroInformation(pRecord->m_strMacro, answer);
        if (answer.hBitmap)
            ::DeleteObject(answer.hBitmap);
        name = answer.szName;
        description = answer.szDescription;
    }
    if (!pRecord->m_bPromptOverride) {
        if (bHasPrompt && (!name.empty() || !description.empty())) {
            char tip[50] = "", status[200] = "";
            custom_bitmaps::GetDefaultStatusAndToolTip(tip, status);
            const std::string candidate = description + "\n" + name;
            if (candidate == std::string(status) + "\n" + tip && candidate == storedPrompt)
                bHasPrompt = false;   // the host's defaults, not the user's
        }
    } else if (bHasPrompt) {
        const std::string prompt = storedPrompt;
        const size_t newline = prompt.find('\n');
        description = prompt.substr(0, newline);
        name = newline == std::string::npos ? std::string() : prompt.substr(newline + 1);
        pRecord->m_strToolTip = name.c_str();
    }

    // The icons of the macro's file and of the symbol file outrank a stored image.
    if (bMacro)
        if (HBITMAP hIcon = GetApplicationAssociatedBitmap(pRecord->m_strMacro, nullptr, nullptr))
            pRecord->ReplaceBitmap(hIcon);
    if (!pRecord->m_strSymbolFile.IsEmpty())
        if (HBITMAP hIcon = GetSymbolAssociatedBitmap(pRecord->m_strSymbolFile))
            pRecord->ReplaceBitmap(hIcon);
    if (bHasID)
        pRecord->m_nCommandID = (UINT)id;

    // A macro's command is the provider's: a command it no longer knows is
    // registered again, and without a provider the macro cannot run at all.
    // Pictures and symbols on ordinary commands need no provider.
    if (bMacro) {
        JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
        IJDynamicCommand* pProvider = pInfo ? pInfo->m_pDynamicCommand : nullptr;
        if (!pProvider)
            return TRUE;
        if (pProvider->FindCommand(pRecord->m_nCommandID) < 0) {
            const std::string prompt = bHasPrompt ? std::string(storedPrompt) : description + "\n" + name;
            UINT nNewID = 0;
            if (pProvider->AddMacroCommand(&nNewID, pRecord->m_strMacro, prompt.c_str(), 0, name.c_str()) != 0 ||
                nNewID == 0)
                return TRUE;
            pRecord->m_nOldCommandID = pRecord->m_nCommandID;
            pRecord->m_nCommandID = nNewID;
        }
    }
    pResult = pRecord.release();
    return TRUE;
}
