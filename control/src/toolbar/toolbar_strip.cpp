// The toolbar's image strip: one image per real button, cut from the command
// categories of the control state and rebuilt only when what it is made of changed.
#include "appcore.h"
#include "imageproc_dc.h"
#include "jbars.h"
#include "jcustombitmap.h"
#include "jenvmanager.h"
#include "jimage.h"
#include "toolbar_custombitmaps.h"
#include "toolbar_strip.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using imageproc::MemoryDC;
using imageproc::WindowDC;

namespace {

// Makes a module the current resource module for a scope.
class ResourceScope {
public:
    explicit ResourceScope(HINSTANCE hModule) : m_hOld(AfxGetResourceHandle()) { AfxSetResourceHandle(hModule); }
    ~ResourceScope() { AfxSetResourceHandle(m_hOld); }
    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;

private:
    HINSTANCE m_hOld;
};

// A command's state value: 1 (on) when the host set none.
int CommandValue(JControlOnlyInfo* pInfo, UINT nCommandID)
{
    int value = 1;
    DWORD flags = 0;
    if (!pInfo || pInfo->GetCommandState(nCommandID, &value, &flags) < 0)
        value = 1;
    return value;
}

// A checksum of a bitmap's pixels: a host may redraw a category's bitmap in place,
// under the same handle. A DIB section's bits are read where they lie; other
// bitmaps are copied out into a buffer kept for the next paint.
ULONG_PTR BitsChecksum(HBITMAP hBitmap)
{
    DIBSECTION dib{};
    const int size = ::GetObjectA(hBitmap, sizeof dib, &dib);
    if (size == 0)
        return 0;
    ::GdiFlush();
    const auto* pBits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const size_t bytes = (size_t)dib.dsBm.bmWidthBytes * (size_t)dib.dsBm.bmHeight * (size_t)dib.dsBm.bmPlanes;
    static thread_local std::vector<BYTE> copy;
    if (!pBits) {
        copy.resize(bytes);
        if (bytes == 0 || ::GetBitmapBits(hBitmap, (LONG)bytes, copy.data()) <= 0)
            return 0;
        pBits = copy.data();
    }
    // Word by word: a multiply and a rotation per eight bytes.
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ bytes;
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        uint64_t word;
        std::memcpy(&word, pBits + i, 8);
        hash = ((hash ^ word) * 0xFF51AFD7ED558CCDull);
        hash = (hash << 29) | (hash >> 35);
    }
    for (; i < bytes; ++i)
        hash = (hash ^ pBits[i]) * 0x100000001B3ull;
    return (ULONG_PTR)hash;
}

// The last strip built and what it was made of: the next toolbar with the same
// buttons and pictures (the toolbars of a restored layout, say) takes a copy of it
// instead of cutting its own.
// Toolbars are made on one thread; a strip is shared only on the thread that built
// it, and only while the toolbar that built it lives.
struct BuiltStrip {
    std::vector<ULONG_PTR> inputs;
    HBITMAP hStrip = nullptr;
    DWORD threadId = 0;
    const JToolBar* pBuilder = nullptr;
    ~BuiltStrip() { Forget(); }
    void Forget()
    {
        if (hStrip)
            ::DeleteObject(hStrip);
        hStrip = nullptr;
        inputs.clear();
        pBuilder = nullptr;
    }
    void Keep(const JToolBar* pBar, std::vector<ULONG_PTR> made, HBITMAP hMade)
    {
        Forget();
        hStrip = hMade ? static_cast<HBITMAP>(::CopyImage(hMade, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
        if (!hStrip)
            return;
        inputs = std::move(made);
        threadId = ::GetCurrentThreadId();
        pBuilder = pBar;
    }
    bool Matches(const std::vector<ULONG_PTR>& wanted) const
    {
        return hStrip && threadId == ::GetCurrentThreadId() && inputs == wanted;
    }
};
BuiltStrip lastStrip;

// A button's own picture is named by a pointer whose memory may serve another
// picture later: strips with one are never shared.
bool HasOwnPictures(const CPtrArray& customBitmaps)
{
    for (int i = 0; i < customBitmaps.GetSize(); ++i)
        if (customBitmaps[i])
            return true;
    return false;
}

}   // namespace

void toolbar_strip::ForgetSharedStrip(const JToolBar* pBuilder)
{
    if (lastStrip.pBuilder == pBuilder && lastStrip.threadId == ::GetCurrentThreadId())
        lastStrip.Forget();
}

std::vector<ULONG_PTR> JToolBar::StripInputs(const UINT* lpIDArray, int nIDCount)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    std::vector<ULONG_PTR> inputs = {(ULONG_PTR)m_sizeImage.cx,
                                     (ULONG_PTR)m_sizeImage.cy,
                                     (ULONG_PTR)m_crTransparent,
                                     (ULONG_PTR)::GetSysColor(COLOR_BTNFACE),
                                     (ULONG_PTR)pInfo,
                                     (ULONG_PTR)(pInfo ? pInfo->m_bColorButtons : 0),
                                     (ULONG_PTR)(pInfo ? pInfo->m_nLargeButtons : 0),
                                     (ULONG_PTR)nIDCount};
    std::vector<ULONG_PTR> handles;   // bitmaps of categories made from handles
    for (int i = 0; i < nIDCount; ++i) {
        const UINT nID = lpIDArray ? lpIDArray[i] : 0;
        inputs.push_back(nID);
        if (nID == 0)
            continue;
        inputs.push_back((ULONG_PTR)(i < m_arrCustomBitmaps.GetSize() ? m_arrCustomBitmaps[i] : nullptr));
        JBitmapInfo info{};
        const long found = pInfo ? pInfo->GetBitmapInfo(nID, (LPARAM)&info) : 0;
        inputs.insert(inputs.end(), {(ULONG_PTR)found, info.nBitmap, (ULONG_PTR)info.nImageIndex,
                                     (ULONG_PTR)info.hModule, (ULONG_PTR)CommandValue(pInfo, nID)});
        if (found && !info.hModule && info.nBitmap &&
            std::find(handles.begin(), handles.end(), info.nBitmap) == handles.end())
            handles.push_back(info.nBitmap);
    }
    // What the handles show now, once per bitmap however many buttons it serves.
    for (ULONG_PTR hBitmap : handles)
        inputs.push_back(BitsChecksum(reinterpret_cast<HBITMAP>(hBitmap)));
    return inputs;
}

HBITMAP JToolBar::ExtractBitmap(HINSTANCE hModule, UINT_PTR nBitmap, int index)
{
    imageproc::Bitmap loaded;
    HBITMAP hSource = reinterpret_cast<HBITMAP>(nBitmap);
    if (hModule) {
        ResourceScope scope(hModule);
        if (!::FindResourceA(hModule, MAKEINTRESOURCEA(nBitmap), MAKEINTRESOURCEA(2)))   // RT_BITMAP
            return nullptr;
        loaded.Reset(AppLoadBitmap(hModule, (UINT)nBitmap));
        if (!loaded)
            return nullptr;
        if (!IsColorBitmap(loaded))
            loaded.Reset(CopyBitmapImage(loaded, &m_crTransparent));
        hSource = loaded;
    }
    BITMAP bm{};
    if (!hSource || !::GetObjectA(hSource, sizeof bm, &bm) || m_sizeImage.cx * index >= bm.bmWidth)
        return nullptr;
    WindowDC screen(nullptr);
    HBITMAP hImage = ::CreateCompatibleBitmap(screen, m_sizeImage.cx, bm.bmHeight);
    MemoryDC source(screen);
    MemoryDC target(screen);
    if (!hImage || !source.Select(hSource) || !target.Select(hImage) ||
        !::BitBlt(target, 0, 0, m_sizeImage.cx, bm.bmHeight, source, m_sizeImage.cx * index, 0, SRCCOPY)) {
        target.Unselect();
        if (hImage)
            ::DeleteObject(hImage);
        return nullptr;
    }
    return hImage;
}

int JToolBar::GetNumberImages()
{
    BITMAP bm{};
    if (!m_hbmImageStrip || m_sizeImage.cx <= 0 || !::GetObjectA(m_hbmImageStrip, sizeof bm, &bm))
        return 0;
    return bm.bmWidth / m_sizeImage.cx;
}

void JToolBar::Grow()
{
    WindowDC screen(nullptr);
    if (!m_hbmImageStrip) {
        m_hbmImageStrip = ::CreateCompatibleBitmap(screen, m_sizeImage.cx, m_sizeImage.cy);
        return;
    }
    BITMAP bm{};
    ::GetObjectA(m_hbmImageStrip, sizeof bm, &bm);
    HBITMAP hWider = ::CreateCompatibleBitmap(screen, bm.bmWidth + m_sizeImage.cx, bm.bmHeight);
    if (!hWider)
        return;
    {
        MemoryDC source(screen);
        MemoryDC target(screen);
        if (source.Select(m_hbmImageStrip) && target.Select(hWider))
            ::BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    }
    ::DeleteObject(m_hbmImageStrip);
    m_hbmImageStrip = hWider;
}

void JToolBar::AddBitmapToToolBar(HBITMAP hImage, int index)
{
    Grow();
    const int count = GetNumberImages();
    if (!m_hbmImageStrip || index < 0 || index >= count)
        return;
    WindowDC screen(nullptr);
    MemoryDC strip(screen);
    if (!strip.Select(m_hbmImageStrip))
        return;
    const int cx = m_sizeImage.cx;
    const int cy = m_sizeImage.cy;
    // Image by image from the right, so no copy reads what it has just written.
    for (int i = count - 2; i >= index; --i)
        ::BitBlt(strip, (i + 1) * cx, 0, cx, cy, strip, i * cx, 0, SRCCOPY);
    MemoryDC image(screen);
    if (hImage && image.Select(hImage)) {
        ::BitBlt(strip, index * cx, 0, cx, cy, image, 0, 0, SRCCOPY);
    } else {
        // A button without a picture keeps its place with a plain face, so that the
        // buttons after it still show their own images.
        RECT slot = {index * cx, 0, (index + 1) * cx, cy};
        ::FillRect(strip, &slot, ::GetSysColorBrush(COLOR_BTNFACE));
    }
}

HBITMAP JToolBar::ResizeCustomBitmap(HBITMAP hSource)
{
    BITMAP bm{};
    if (!hSource || !::GetObjectA(hSource, sizeof bm, &bm))
        return nullptr;
    WindowDC screen(nullptr);
    HBITMAP hResult = ::CreateCompatibleBitmap(screen, m_sizeImage.cx, m_sizeImage.cy);
    if (!hResult)
        return nullptr;
    {
        MemoryDC source(screen);
        MemoryDC target(screen);
        if (!source.Select(hSource) || !target.Select(hResult)) {
            target.Unselect();
            ::DeleteObject(hResult);
            return nullptr;
        }
        ::SetStretchBltMode(target, COLORONCOLOR);
        ::StretchBlt(target, 0, 0, m_sizeImage.cx, m_sizeImage.cy, source, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (face != RGB(0xC0, 0xC0, 0xC0))
        JBitmapOps::ReplaceColor(hResult, RGB(0xC0, 0xC0, 0xC0), face);
    return hResult;
}

HBITMAP JToolBar::MakeCategoryImage(UINT nCommandID)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    JBitmapInfo info{};
    if (!pInfo || !pInfo->GetBitmapInfo(nCommandID, (LPARAM)&info))
        return nullptr;
    HBITMAP hImage = ExtractBitmap(info.hModule, info.nBitmap, info.nImageIndex);
    if (!hImage)
        return nullptr;
    if (CommandValue(pInfo, nCommandID) == 0)
        JBitmapOps::ApplyInactiveLook(hImage);
    if (!JBitmapOps::ReplaceColor(hImage, m_crTransparent, ::GetSysColor(COLOR_BTNFACE))) {
        ::OutputDebugStringA("New Bitmap failed to make.\n");
        ::DeleteObject(hImage);
        return nullptr;
    }
    return hImage;
}

BOOL JToolBar::CreateToolBarBitmap(const UINT* lpIDArray, int nIDCount)
{
    if (m_hbmImageStrip)
        ::DeleteObject(m_hbmImageStrip);
    m_hbmImageStrip = nullptr;
    int nImages = 0;
    for (int i = 0; i < nIDCount; ++i)
        nImages += lpIDArray && lpIDArray[i] != 0;
    std::vector<ULONG_PTR> inputs = StripInputs(lpIDArray, nIDCount);
    const bool shared = !HasOwnPictures(m_arrCustomBitmaps);
    if (nImages > 0 && shared && lastStrip.Matches(inputs))
        m_hbmImageStrip = static_cast<HBITMAP>(::CopyImage(lastStrip.hStrip, IMAGE_BITMAP, 0, 0, 0));
    if (nImages > 0 && !m_hbmImageStrip) {
        // The whole strip at once. A button without a picture keeps its place with a
        // plain face. Pictures of categories made from bitmaps are copied straight
        // into their places and take the face colour for the transparent one all
        // together; those of resources, and those shown inactive, are made one by one.
        // Buttons with their own pictures and macro buttons come with the custom buttons.
        JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
        const int cx = m_sizeImage.cx;
        const int cy = m_sizeImage.cy;
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        std::vector<std::pair<int, UINT>> apart;
        WindowDC screen(nullptr);
        m_hbmImageStrip = ::CreateCompatibleBitmap(screen, nImages * cx, cy);
        {
            MemoryDC strip(screen);
            MemoryDC source(screen);
            if (m_hbmImageStrip && strip.Select(m_hbmImageStrip)) {
                const RECT all = {0, 0, nImages * cx, cy};
                ::FillRect(strip, &all, ::GetSysColorBrush(COLOR_BTNFACE));
                int nImage = 0;
                HBITMAP hSelected = nullptr;
                BITMAP selected{};
                for (int i = 0; i < nIDCount; ++i) {
                    const UINT nID = lpIDArray[i];
                    if (nID == 0)
                        continue;
                    JBitmapInfo info{};
                    if (pInfo && pInfo->GetBitmapInfo(nID, (LPARAM)&info)) {
                        HBITMAP hSource = reinterpret_cast<HBITMAP>(info.nBitmap);
                        if (info.hModule || CommandValue(pInfo, nID) == 0) {
                            apart.emplace_back(nImage, nID);
                        } else {
                            // Buttons of one category share its bitmap: it stays selected for them.
                            if (hSource && hSource != hSelected) {
                                source.Unselect();
                                hSelected = nullptr;
                                if (::GetObjectA(hSource, sizeof selected, &selected) && source.Select(hSource))
                                    hSelected = hSource;
                            }
                            if (hSource && hSource == hSelected && cx * info.nImageIndex < selected.bmWidth)
                                ::BitBlt(strip, nImage * cx, 0, cx, cy, source, cx * info.nImageIndex, 0, SRCCOPY);
                        }
                    }
                    ++nImage;
                }
            }
        }
        if (m_hbmImageStrip && !JBitmapOps::ReplaceColor(m_hbmImageStrip, m_crTransparent, face))
            ::OutputDebugStringA("New Bitmap failed to make.\n");
        if (!apart.empty() && m_hbmImageStrip) {
            MemoryDC strip(screen);
            MemoryDC image(screen);
            if (strip.Select(m_hbmImageStrip)) {
                for (const auto& [nImage, nID] : apart) {
                    HBITMAP hImage = MakeCategoryImage(nID);
                    if (hImage && image.Select(hImage)) {
                        ::BitBlt(strip, nImage * cx, 0, cx, cy, image, 0, 0, SRCCOPY);
                        image.Unselect();
                    }
                    if (hImage)
                        ::DeleteObject(hImage);
                }
            }
        }
        // Buttons with records of their own show their pictures; a picture that could not be
        // read shows a plain face, a record of a fill colour alone the category's image.
        if (!shared && m_hbmImageStrip) {
            MemoryDC strip(screen);
            MemoryDC image(screen);
            if (strip.Select(m_hbmImageStrip)) {
                int nImage = 0;
                for (int i = 0; i < nIDCount; ++i) {
                    if (lpIDArray[i] == 0)
                        continue;
                    if (CTMBITMAPSTRUCT* pRecord = GetCustomRecord(i)) {
                        HBITMAP hImage = MakeRecordImage(pRecord);
                        if (!hImage && !pRecord->m_strMacro.IsEmpty() && !pRecord->IsPicture()) {
                            // A macro that brings no picture shows the library's macro picture.
                            imageproc::Bitmap macro(custom_bitmaps::DefaultMacroBitmap());
                            hImage = macro ? ResizeCustomBitmap(macro) : nullptr;
                        }
                        if (hImage && image.Select(hImage)) {
                            ::BitBlt(strip, nImage * cx, 0, cx, cy, image, 0, 0, SRCCOPY);
                            image.Unselect();
                        } else if (!pRecord->m_strMacro.IsEmpty()) {
                            const RECT slot = {nImage * cx, 0, (nImage + 1) * cx, cy};
                            ::FillRect(strip, &slot, ::GetSysColorBrush(COLOR_BTNFACE));
                        }
                        if (hImage)
                            ::DeleteObject(hImage);
                    }
                    ++nImage;
                }
            }
        }
        if (shared)
            lastStrip.Keep(this, inputs, m_hbmImageStrip);
    }
    m_stripInputs = std::move(inputs);
    ++m_nStripBuilds;
    return TRUE;
}

void JToolBar::ReloadBitmap(BOOL bForce)
{
    if (!m_hWnd)
        return;
    CUIntArray ids;
    GetButtonIDs(ids);
    const int count = (int)ids.GetSize();
    if (!bForce && StripInputs(ids.GetData(), count) == m_stripInputs)
        return;
    CreateToolBarBitmap(ids.GetData(), count);
    if (m_hbmImageStrip && !SetBitmap(m_hbmImageStrip))
        ::DeleteObject(m_hbmImageStrip);
    m_hbmImageStrip = nullptr;
    NumberImages();
    if (IsFloating()) {
        const BOOL bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        m_sizeFloat = CalcFixedLayout(FALSE, bHorz);
        CalcDynamicLayout(m_sizeFloat.cx, LM_COMMIT | (bHorz ? LM_HORZ : 0));
    }
}

void JToolBar::NumberImages()
{
    // Buttons inserted or deleted one by one kept their old image numbers; the
    // rebuilt strip has one image per real button, in button order.
    const int count = GetToolBarCtrl().GetButtonCount();
    int nImage = 0;
    for (int i = 0; i < count; ++i) {
        const TBBUTTON button = GetButton(i);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        if (button.iBitmap != nImage) {
            TBBUTTONINFOA info{};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_BYINDEX | TBIF_IMAGE;
            info.iImage = nImage;
            SendMessage(TB_SETBUTTONINFOA, (WPARAM)i, (LPARAM)&info);
        }
        ++nImage;
    }
}

BOOL JToolBar::SetButtonIDs(const UINT* lpIDArray, int nIDCount)
{
    return SetButtonIDs(lpIDArray, nIDCount, nullptr);
}

BOOL JToolBar::SetButtonIDs(const UINT* lpIDArray, int nIDCount, const BYTE* lpStates)
{
    if (!lpIDArray) {
        DestroyFlyouts();
        m_flyoutLists.clear();
        CToolBar::SetButtons(nullptr, 1);
        m_arrFlyouts.RemoveAll();
        DeleteRecords();
        m_arrFlyouts.SetSize(1);
        m_arrCustomBitmaps.SetSize(1);
        return TRUE;
    }
    nIDCount = std::max(0, nIDCount);
    // Picture records follow their buttons by command.
    AttachRecords(lpIDArray, nIDCount);
    // The same buttons with the same pictures (a toolbar restored from its own
    // key, say) keep the strip they have.
    if (!m_hbmImageWell || StripInputs(lpIDArray, nIDCount) != m_stripInputs) {
        if (!CreateToolBarBitmap(lpIDArray, nIDCount))
            return FALSE;
        if (m_hbmImageStrip && !SetBitmap(m_hbmImageStrip)) {
            // The old buttons stay with their old images.
            ::DeleteObject(m_hbmImageStrip);
            m_hbmImageStrip = nullptr;
            m_stripInputs.clear();
            return FALSE;
        }
        m_hbmImageStrip = nullptr;
    }
    DestroyFlyouts();
    m_arrFlyouts.RemoveAll();
    // Separators need no images: a list of them still replaces the buttons.
    const BOOL bSet = CToolBar::SetButtons(lpIDArray, nIDCount, lpStates);
    m_arrFlyouts.SetSize(GetCommandCount());
    m_arrCustomBitmaps.SetSize(GetCommandCount());
    // A flyout goes with the first button that holds one of its commands.
    std::vector<FlyoutList> saved;
    saved.swap(m_flyoutLists);
    for (FlyoutList& list : saved) {
        for (int i = 0; i < nIDCount; ++i) {
            if (lpIDArray[i] == 0 || std::find(list.ids.begin(), list.ids.end(), lpIDArray[i]) == list.ids.end())
                continue;
            if (!HasFlyoutList(i))
                SetFlyoutList(i, std::move(list.ids));
            break;
        }
    }
    return bSet;
}

void JToolBar::GetButtonIDs(CUIntArray& out)
{
    if (!m_hWnd)
        return;
    const int count = GetToolBarCtrl().GetButtonCount();
    for (int i = 0; i < count; ++i)
        out.Add(GetItemID(i));
}

void JToolBar::SetDefaultButtons(const UINT* lpIDArray, int nIDCount)
{
    m_arrDefaultIDs.RemoveAll();
    for (int i = 0; lpIDArray && i < nIDCount; ++i)
        m_arrDefaultIDs.Add(lpIDArray[i]);
    m_bDefault = TRUE;
}

long JToolBar::GetCommandCount()
{
    return m_hWnd ? (long)GetToolBarCtrl().GetButtonCount() : 0;
}

int JToolBar::FindCommandIndex(UINT nCommandID)
{
    if (!m_hWnd)
        return -1;
    const int count = GetToolBarCtrl().GetButtonCount();
    for (int i = 0; i < count; ++i)
        if (GetItemID(i) == nCommandID)
            return i;
    return -1;
}

BOOL JToolBar::IsFlyout(int index) const
{
    return index >= 0 && index < m_arrFlyouts.GetSize() && m_arrFlyouts[index] != nullptr;
}
