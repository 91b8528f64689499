// The library's bar classes as the control state and the flat exports tell
// them apart by kind. Their behaviour comes with the toolbar and dialog-bar code.
#pragma once
#include "baseutil.h"
#include "controlapi.h"

// The customizable toolbar.
class CONTROL_CLASS JToolBar : public CToolBar {
    DECLARE_DYNAMIC(JToolBar)
public:
    JToolBar();
    ~JToolBar() override;

    // The index of the button with that command, or -1.
    int FindCommandIndex(UINT nCommandID);
    // Deletes a button; FALSE for an index out of range.
    BOOL DeleteItem(int index);

    GUserText m_strEnvironment;   // the environment the toolbar belongs to
    BOOL m_bUnlisted = FALSE;     // kept out of the toolbar context menu and the toolbar manager
    BOOL m_bIsFlyout = FALSE;     // a flyout is not counted as a toolbar

    // Image processing (jimage.h), in the toolbar window's screen format when it has a window.
    BOOL IsColorBitmap(HBITMAP hBitmap);
    HBITMAP CopyBitmapImage(HBITMAP hSource, COLORREF* pBackground);
    HBITMAP CreateMask(HBITMAP hSource, COLORREF* pKey);
    HBITMAP CreateMaskedBitmap(HBITMAP hColor, HBITMAP hMask, COLORREF* pFill);
    HBITMAP ReplaceBackgroundColor(HBITMAP hBitmap, COLORREF* pFrom, COLORREF* pTo);
};

// The library's resizable dialog bar.
class CONTROL_CLASS CBaseDialogBar : public CDialogBar {
    DECLARE_DYNCREATE(CBaseDialogBar)
public:
    CBaseDialogBar();
    ~CBaseDialogBar() override;

    GUserText m_strEnvironment;   // the environment the bar was created in
    BOOL m_bUnlisted = FALSE;     // kept out of the toolbar context menu and the toolbar manager
};

// A dialog bar with a name and automatic layout of its controls.
class CONTROL_CLASS AutoDialogBar : public CBaseDialogBar {
    DECLARE_DYNCREATE(AutoDialogBar)
public:
    GUserText m_strBarName;
};

// The ribbon bar. Its run-time class names CDialogBar as its base, so kind
// tests for CBaseDialogBar and AutoDialogBar are false for it: the frame, the
// toolbar manager and the context menu treat it as a kind of its own.
class CONTROL_CLASS JDialogBar : public AutoDialogBar {
    DECLARE_DYNAMIC(JDialogBar)
};
