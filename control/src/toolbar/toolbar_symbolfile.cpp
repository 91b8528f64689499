// The icons kept in symbol files, read through the structured storage of the
// system. A symbol file is user data: its icon is checked like any picture file.
#include "imageproc_dc.h"
#include "picture.h"
#include "toolbar_custombitmaps.h"

#include <objidl.h>
#include <propidl.h>

#include <string>
#include <vector>

namespace custom_bitmaps {

namespace {

template <class T>
struct Released {
    T* p = nullptr;
    Released() = default;
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    ~Released()
    {
        if (p)
            p->Release();
    }
};

// The packed DIB of a clipboard property as a picture, or NULL.
HBITMAP PictureOfClipData(const CLIPDATA* pClip)
{
    if (!pClip || !pClip->pClipData || pClip->cbSize <= sizeof(ULONG))
        return nullptr;
    const ULONG format = pClip->ulClipFmt;
    if (format != CF_DIB)
        return nullptr;
    const size_t bytes = pClip->cbSize - sizeof(ULONG);
    // A picture file is the packed DIB behind a file header; the reader checks the rest.
    std::vector<BYTE> file(14 + bytes);
    const BYTE* dib = pClip->pClipData;
    DWORD headerBytes = bytes >= 4 ? DWORD(dib[0]) | DWORD(dib[1]) << 8 | DWORD(dib[2]) << 16 | DWORD(dib[3]) << 24 : 0;
    WORD bits = bytes >= 16 ? WORD(dib[14] | dib[15] << 8) : 0;
    DWORD colours = bytes >= 36 ? DWORD(dib[32]) | DWORD(dib[33]) << 8 : 0;
    if (bits && bits <= 8 && colours == 0)
        colours = 1u << bits;
    const DWORD offset = 14 + headerBytes + (bits <= 8 ? colours * 4 : 0);
    file[0] = 'B';
    file[1] = 'M';
    const DWORD size = (DWORD)file.size();
    memcpy(&file[2], &size, 4);
    memcpy(&file[10], &offset, 4);
    memcpy(&file[14], dib, bytes);
    return macrohost::PictureFromBytes(file.data(), file.size());
}

}   // namespace

bool ReadSymbolIcon(const char* lpszSymbolFile, bool bLarge, HBITMAP& hColor, HBITMAP& hMask)
{
    hColor = hMask = nullptr;
    if (!lpszSymbolFile || !*lpszSymbolFile)
        return false;
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, lpszSymbolFile, -1, nullptr, 0);
    if (chars <= 0 || chars > 32768)
        return false;
    std::wstring wide((size_t)chars, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpszSymbolFile, -1, wide.data(), chars);

    Released<IStorage> storage;
    if (FAILED(::StgOpenStorage(wide.c_str(), nullptr, STGM_READ | STGM_TRANSACTED | STGM_SHARE_DENY_WRITE, nullptr, 0,
                                &storage.p)))
        return false;
    Released<IPropertySetStorage> sets;
    if (FAILED(storage.p->QueryInterface(IID_IPropertySetStorage, reinterpret_cast<void**>(&sets.p))))
        return false;
    Released<IPropertyStorage> properties;
    if (FAILED(sets.p->Open(kSymbolIconSet, STGM_READ | STGM_SHARE_EXCLUSIVE, &properties.p)))
        return false;
    PROPSPEC specs[2] = {};
    specs[0].ulKind = specs[1].ulKind = PRSPEC_PROPID;
    specs[0].propid = kLargeSymbolIcon;
    specs[1].propid = kSmallSymbolIcon;
    PROPVARIANT values[2];
    PropVariantInit(&values[0]);
    PropVariantInit(&values[1]);
    if (FAILED(properties.p->ReadMultiple(2, specs, values)))
        return false;
    const PROPVARIANT& wanted = values[bLarge ? 0 : 1];
    imageproc::Bitmap picture(wanted.vt == VT_CF ? PictureOfClipData(wanted.pclipdata) : nullptr);
    FreePropVariantArray(2, values);
    BITMAP bm{};
    const int side = bLarge ? 32 : 16;
    if (!picture || !::GetObjectA(picture, sizeof bm, &bm) || bm.bmWidth != side || std::abs(bm.bmHeight) != side)
        return false;

    // White is transparent: the mask is white there, and the colour black.
    imageproc::WindowDC screen(nullptr);
    imageproc::Bitmap color(::CreateCompatibleBitmap(screen, side, side));
    imageproc::Bitmap mask(::CreateBitmap(side, side, 1, 1, nullptr));
    {
        imageproc::MemoryDC source(screen), colorDC(screen), maskDC(screen);
        if (!color || !mask || !source.Select(picture) || !colorDC.Select(color) || !maskDC.Select(mask))
            return false;
        ::BitBlt(colorDC, 0, 0, side, side, source, 0, 0, SRCCOPY);
        ::SetBkColor(colorDC, RGB(255, 255, 255));
        ::BitBlt(maskDC, 0, 0, side, side, colorDC, 0, 0, SRCCOPY);
        // Black where the mask is white: AND with the inverted mask.
        ::SetBkColor(colorDC, RGB(255, 255, 255));
        ::SetTextColor(colorDC, RGB(0, 0, 0));
        ::BitBlt(colorDC, 0, 0, side, side, maskDC, 0, 0, 0x00220326);   // DSna
    }
    hColor = color.Release();
    hMask = mask.Release();
    return true;
}

}   // namespace custom_bitmaps
