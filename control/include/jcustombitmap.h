// A toolbar button's own picture or macro: the record a JToolBar keeps per
// button whose image does not come from the command categories.
#pragma once
#include "afxwin.h"
#include "controlapi.h"

// Marks the record of a picture the user put on an ordinary command.
inline constexpr const char kOverwrittenBitmap[] = "OverWrittenInternalCmdBitmap";
// "CustomBitmapFile%d" of a record whose image its macro or symbol file gives again.
inline constexpr const char kInternalBitmap[] = "INTERNALBITMAP";
// A fill colour that stands for the system button face colour.
inline constexpr COLORREF kFillButtonFace = 0xFFFFFFFE;

struct CONTROL_CLASS CTMBITMAPSTRUCT {
    CTMBITMAPSTRUCT() = default;
    ~CTMBITMAPSTRUCT();
    CTMBITMAPSTRUCT(const CTMBITMAPSTRUCT&) = delete;
    CTMBITMAPSTRUCT& operator=(const CTMBITMAPSTRUCT&) = delete;

    // Puts hNew in place of the bitmap, deleting the old one unless it is the same.
    void ReplaceBitmap(HBITMAP hNew);
    BOOL IsPicture() const { return m_strMacro == kOverwrittenBitmap; }

    UINT m_nCommandID = 0;
    HBITMAP m_hBitmap = nullptr;   // owned
    CString m_strMacro;            // the macro's file or program ID, or kOverwrittenBitmap
    COLORREF m_crFill = 0;         // above 0xFFFFFF (but kFillButtonFace): no fill
    HINSTANCE m_hFillModule = nullptr;
    CString m_strFillMask;
    CString m_strSymbolFile;
    CString m_strBitmapFile;
    BOOL m_bPromptOverride = FALSE;
    CString m_strToolTip;
    UINT m_nOldCommandID = 0;   // the stored command ID of a macro registered again on load
};
