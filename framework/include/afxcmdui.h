// Command-UI updates: a handler decides whether a command's menu item, button
// or control is enabled, checked or labelled, through a CCmdUI.
#pragma once
#include "afxwnd.h"

class CMenu;

class AFX_CORE_API CCmdUI {
public:
    UINT m_nID = 0;                    // the command being updated
    UINT m_nIndex = 0;                 // its item index in the menu or bar
    CMenu* m_pMenu = nullptr;          // the menu being updated, or NULL
    CMenu* m_pSubMenu = nullptr;       // the pop-up the item opens, or NULL
    CWnd* m_pOther = nullptr;          // the control or bar being updated, or NULL
    UINT m_nIndexMax = 0;              // number of items being updated
    BOOL m_bEnableChanged = FALSE;     // a handler called Enable
    BOOL m_bContinueRouting = FALSE;   // a handler asked the next target to decide

    CCmdUI() = default;
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = default;
    CCmdUI& operator=(const CCmdUI&) = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's route; when no update handler answered and bDisableIfNoHndler,
    // the item is enabled exactly when some target handles the command. TRUE when
    // an update handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
