// The library's bar classes as the control state and the flat exports tell
// them apart by kind. Their behaviour comes with the toolbar and dialog-bar code.
#pragma once
#include "baseutil.h"
#include "controlapi.h"
#include "jcustombitmap.h"
#include "jdialogbar.h"
#include "jribbonbar.h"

#include <vector>

// The customizable toolbar: buttons given as command IDs whose images come from
// the command categories of the current control state.
class CONTROL_CLASS JToolBar : public CToolBar {
    DECLARE_DYNAMIC(JToolBar)
public:
    JToolBar();
    ~JToolBar() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The user's drags, sizes and docking toggles mark the environment's toolbars
    // as changed, so the next save keeps where the user put them.
    CDockContext* CreateDockContext() override;

    using CToolBar::Create;
    // With the control ID -1 the bar takes the next free bar ID of a frame parent;
    // a dockStyle of (DWORD)-1 leaves docking off.
    virtual BOOL Create(CWnd* pParentWnd, const char* lpszName, const UINT* lpIDArray, int nIDCount, int nID,
                        DWORD dwDockStyle, DWORD dwStyle);
    // Without buttons, name or docking.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);

    // ---- buttons ----
    // Replaces all buttons (0: separator); NULL makes one empty button set.
    BOOL SetButtonIDs(const UINT* lpIDArray, int nIDCount);
    void GetButtonIDs(CUIntArray& out);
    void SetDefaultButtons(const UINT* lpIDArray, int nIDCount);
    BOOL IsDefault() const { return m_bDefault; }
    long GetCommandCount();
    // The index of the button with that command, or -1.
    int FindCommandIndex(UINT nCommandID);
    // Deletes a button and the separators it leaves doubled or at an end; FALSE for an
    // index out of range. A toolbar left without buttons goes unless it is a default one.
    BOOL DeleteItem(int index);
    // Empties a button's picture record and flyout; the button stays.
    void RemoveAt(int index);
    void InvalidateButton(int index);
    // Every button but `keep` loses its pressed look; `keep` shows pressed unless
    // another button is checked (not looked for with bNoCheckTest).
    void ResetAllButtons(int keep, BOOL bNoCheckTest);
    CString GetButtonText(int index);
    void GetButtonText(int index, CString& rString);

    // ---- registry state (one key per toolbar, opened and closed by the caller) ----
    // FALSE without writing for a NULL key, or while the host hides its main window.
    BOOL WriteToRegistry(HKEY hKey);
    // The same into a key just made for it, which holds nothing an earlier write
    // left behind: no value is looked for to be removed.
    BOOL WriteToNewKey(HKEY hKey);
    // FALSE for a NULL key or when a required value is missing or damaged; what was read
    // before it stays applied.
    BOOL ReadFromRegistry(HKEY hKey);
    // Records where the toolbar is (docked or floating) for the next write.
    void StoreLastPosition();
    // A default toolbar takes its flyouts back as the host first gave them.
    BOOL ReadDefaultFlyoutsFromRegistry();

    // ---- flyouts ----
    // Attaches a flyout of these commands to a button, replacing the one it had;
    // the list stays with the toolbar even where no frame can hold the flyout.
    void AddFlyout(int index, const UINT* lpIDArray, int nIDCount);
    // The button takes the command, keeping its style and image slot.
    BOOL SwapCommand(UINT nID, int index);
    // Opens a button's flyout for the keyboard; FALSE when it has none.
    BOOL OpenFlyoutFromKeyboard(int index);

    // ---- appearance ----
    long GetAppearance() const { return m_nAppearance; }
    void SetAppearance(long nAppearance);
    BOOL GetGripperBar() const { return m_bGripper; }
    void SetGripperBar(BOOL bGripper);
    COLORREF GetTransparentColor() const { return m_crTransparent; }
    void SetTransparentColor(COLORREF crTransparent);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    SIZE GetSizeButton() const { return m_sizeButton; }
    SIZE GetSizeImage() const { return m_sizeImage; }

    // ---- tooltips ----
    BOOL ChangeTooltipTextOnItem(int index, const char* lpszText);
    // A button's tip text, cut to what out holds: kTipTextChars characters with
    // the end (a tip text's usual buffer) for the form without a size.
    static constexpr int kTipTextChars = 80;
    BOOL GetTooltipTextOnItem(int index, char* out);
    BOOL GetTooltipTextOnItem(int index, char* out, int cchOut);

    // Paints a colour through a named mask into the buttons of a command (their
    // records keep it); FALSE when no button has that command.
    BOOL FillMaskColor(COLORREF color, long nCommandID, HINSTANCE hModule, const char* lpszMask);

    // ---- buttons with pictures of their own and macro buttons (CTMBITMAPSTRUCT) ----
    // Each returns the new button's index, or -1. With both a bitmap and a macro
    // the button gets a record, which owns the bitmap from then on.
    int AddButton(UINT nID, int index, HBITMAP hBitmap, const char* lpszMacro);
    int AppendButton(UINT nID);
    int AddMacroButton(const char* lpszMacro, int index);
    int AppendMacroButton(const char* lpszMacro);
    // A macro command dropped at a screen rectangle; the bitmap is copied.
    int AddMacroButton(UINT nID, CString strName, HBITMAP hBitmap, CRect* pScreenRect);
    // A picture of the user's on a button (NULL takes it off again).
    void SetPicture(int index, HBITMAP hBitmap);
    // The button's picture or a new copy of its category image (the caller owns
    // the copy, not the record's); NULL when there is none.
    HBITMAP GetPicture(int index);
    void ChangeCustomBitmap(HBITMAP hBitmap, int index);
    void ChangeCustomBitmap(const char* lpszBmpFile, int index);
    HBITMAP GetCustomBitmap(int index);
    CTMBITMAPSTRUCT* GetCustomBitmapByCommand(UINT nID);
    void SetBitmapFromSymbolByCommandID(const char* lpszSymbolFile, long nID);
    void SetBitmapFromSymbolByButtonIndex(const char* lpszSymbolFile, int index);
    // New bitmaps the caller owns, or NULL.
    HBITMAP GetSymbolAssociatedBitmap(const char* lpszSymbolFile);
    HBITMAP GetApplicationAssociatedBitmap(const char* lpszFile, HBITMAP* phColor, HBITMAP* phMask);
    // A copy of hBitmap with the record's fill colour painted through its mask, or hBitmap itself.
    HBITMAP AddFillColor(HBITMAP hBitmap, CTMBITMAPSTRUCT* pRecord);
    // Brings the record's bitmap up to date from its file, macro or symbol file.
    void ReloadCustomBitmap(CTMBITMAPSTRUCT* pRecord);
    // The button's record, or NULL.
    CTMBITMAPSTRUCT* GetCustomRecord(int index) const;
    // "CustBmps" beside the host executable, with its closing backslash; made when missing.
    static CString GetCustomBitmapFolder();

    // Image processing (jimage.h), in the toolbar window's screen format when it has a window.
    BOOL IsColorBitmap(HBITMAP hBitmap);
    HBITMAP CopyBitmapImage(HBITMAP hSource, COLORREF* pBackground);
    HBITMAP CreateMask(HBITMAP hSource, COLORREF* pKey);
    HBITMAP CreateMaskedBitmap(HBITMAP hColor, HBITMAP hMask, COLORREF* pFill);
    HBITMAP ReplaceBackgroundColor(HBITMAP hBitmap, COLORREF* pFrom, COLORREF* pTo);

    // ---- customization by drag and drop (customize dialog open, or Alt held) ----
    // Drags button `index` from a client point; bCopy copies instead of moving.
    void DoDrag(CPoint point, int index, BOOL bCopy);
    // The shown toolbar of the current environment under a screen rectangle, or NULL.
    JToolBar* FindToolbar(const CRect& dropRect);
    // "Toolbar%d" with the next free number among the frame's toolbars.
    void GetNextToolbarName(CString& name) const;
    // A small sideways drag of a button over itself puts a separator beside it;
    // FALSE when the drop is not such a drag.
    BOOL AddSeparator(int index, CRect dropRect);
    // 1: copying, with the copy cursor; 0: moving, with the cursor as it was.
    void SetCopyMode(int mode);
    // The button holding the customization focus (shown on the next paint).
    static void SetActiveFocus(JToolBar* pBar, int index);
    static void ClearActiveFocus(JToolBar* pBar);   // NULL: whichever holds it
    static void DrawActiveFocus();
    // Undo of customization steps, kept for one session of the customize dialog:
    // each drop or deletion is one step. UndoCustomizeStep: FALSE with none left.
    static void BeginCustomizeSession();
    static void EndCustomizeSession();
    static BOOL UndoCustomizeStep();

    // ---- class-wide values ----
    static int m_nFlyoutTime;   // press-and-hold time before a flyout opens, ms
    static int m_nToolTipTime;
    static JToolBar* m_pBar;    // the toolbar holding the customization focus
    static int m_nIndex;        // the button holding the customization focus
    static CRect m_rectLast;    // screen rectangle of the button last released with a click
    static int m_nDragOption;   // non-zero: buttons cannot be dragged

    // Button and image sizes for the large buttons setting and without it; new and
    // existing toolbars take the same ones.
    static constexpr SIZE kLargeButton = {32, 30};
    static constexpr SIZE kLargeImage = {24, 23};
    static constexpr SIZE kSmallButton = {23, 22};
    static constexpr SIZE kSmallImage = {16, 15};

    // Timers of the toolbar window.
    enum : UINT_PTR { kFlyoutTimer = 2, kFlyoutMoveTimer = 3, kDeferredShowTimer = 4 };

    // ---- fields, in declaration order ----
    BOOL m_bButtonDown = FALSE;   // a press went to the tip control, its release not yet
    BOOL m_bIDFixed = FALSE;      // the creator chose the control ID
    GUserText m_strEnvironment;   // the environment the toolbar belongs to
    BOOL m_bDefault = FALSE;
    CUIntArray m_arrDefaultIDs;
    UINT m_nDockBarID = AFX_IDW_DOCKBAR_TOP;
    CPoint m_ptDockPos{-8, -8};
    CPoint m_ptFloatPos{100, 100};
    BOOL m_bFloating = FALSE;
    BOOL m_bHide = FALSE;
    int m_nAppearance = 0;        // 1: flat
    BOOL m_bHotChanged = FALSE;   // the hot button moved since the last command-UI update
    BOOL m_bGripper = FALSE;
    HBITMAP m_hbmImageStrip = nullptr;   // the strip being built; the base class owns it once set
    CPtrArray m_arrFlyouts;              // JToolBar* per button; owned
    int m_nFlyoutButton = -1;            // the button whose press-and-hold timer runs
    HCURSOR m_hSavedCursor = nullptr;
    int m_nCopyMode = 0;
    CPtrArray m_arrCustomBitmaps;   // CTMBITMAPSTRUCT* per button; owned
    int m_nPressedButton = -1;      // the button this toolbar's own press handling holds down
    BOOL m_bVisible = TRUE;
    BOOL m_bColorReload = FALSE;   // the strip is being rebuilt for new system colours
    COLORREF m_crTransparent = RGB(255, 0, 255);
    CToolTipCtrl* m_pToolTip = nullptr;
    BOOL m_bIsFlyout = FALSE;   // a flyout is not counted as a toolbar
    CSize m_sizeFloat{0, 0};
    BOOL m_bVisiblePending = FALSE;
    BOOL m_bDeferredShow = FALSE;

    BOOL m_bUnlisted = FALSE;   // kept out of the toolbar context menu and the toolbar manager

    // Whether the button opens a flyout.
    BOOL IsFlyout(int index) const;
    // The first real button under a client point, or -1.
    int HitTest(CPoint point);
    // How many times the image strip was rebuilt; the same inputs do not rebuild it.
    int GetStripBuildCount() const { return m_nStripBuilds; }

protected:
    BOOL CreateToolBarBitmap(const UINT* lpIDArray, int nIDCount);
    HBITMAP ExtractBitmap(HINSTANCE hModule, UINT_PTR nBitmap, int index);
    void AddBitmapToToolBar(HBITMAP hImage, int index);
    void Grow();
    int GetNumberImages();
    // Rebuilds the strip when one of its inputs changed (bForce: always).
    void ReloadBitmap(BOOL bForce = FALSE);

    // The drop of button m_nIndex at a screen rectangle; FALSE when nothing changed.
    BOOL OnDrop(CRect& dropRect);
    // FALSE for a drop back onto the button itself (within a pixel).
    BOOL IsValidDrop(CRect buttonRect, CRect dropRect);
    // Inserts a button where a drop at the screen rectangle lands; its position, or -1.
    int AddButton(UINT nID, CRect* pScreenRect, const UINT* lpFlyoutIDs, int nFlyoutCount, HBITMAP hBitmap,
                  char* lpszName);
    // No separator at either end nor two together; the per-button slots follow.
    void StripSeparators(CUIntArray& ids);
    // The same, the picture slots alone following; *pIndex becomes 0 when one entry is left.
    void StripHeadAndTailSeparators(CUIntArray& ids, int* pIndex);
    HBITMAP ResizeCustomBitmap(HBITMAP hSource);
    // The small arrow in a flyout button, pointing to where the flyout opens.
    void DrawFlyoutSymbol(CDC* pDC, int index);

    void PostNcDestroy() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnUpdateCommand(CCmdUI* pCmdUI);
    afx_msg LRESULT OnStyleChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    DECLARE_MESSAGE_MAP()

private:
    // The inputs of the image strip as last built; equal inputs give equal pixels.
    std::vector<ULONG_PTR> StripInputs(const UINT* lpIDArray, int nIDCount);
    // One button's image from its category (or none), in the strip's format.
    HBITMAP MakeCategoryImage(UINT nCommandID);
    // Creation steps shared by both Create overloads.
    DWORD PrepareStyle(DWORD dwStyle);
    BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    void ApplyLargeSizes();
    BOOL FinishCreate();
    // SetButtonIDs with each button's state given as it is added (NULL: enabled).
    BOOL SetButtonIDs(const UINT* lpIDArray, int nIDCount, const BYTE* lpStates);
    // Gives every real button its image number in the strip.
    void NumberImages();
    void FollowFloatingShape(CSize size);
    void OpenPendingFlyout();
    // Runs the flyout of a button and puts the command picked on it.
    void RunFlyout(int index, BOOL bKeyboard);
    BOOL HandleFlyoutKey(const MSG* pMsg);
    void AttachFlyout(int index, const std::vector<UINT>& ids);
    friend class JFlyout;
    void ForgetFlyout(JToolBar* pFlyout);

    // A button with what belongs to it: its picture record (owned by the toolbar
    // once set) and its flyout's commands.
    struct ButtonSlot {
        UINT nID = 0;
        CTMBITMAPSTRUCT* pRecord = nullptr;
        std::vector<UINT> flyout;
    };
    friend class JCustomizeJournal;
    std::vector<ButtonSlot> GetSlots();
    // Puts the buttons in place; records of the old buttons that are not among them go.
    BOOL SetSlots(const std::vector<ButtonSlot>& slots);
    // Where a drop at the client rectangle goes among the slots; a separator it lands on
    // is taken out (the indexes in `follow` move with the slots).
    int DropPosition(const CRect& drop, std::vector<ButtonSlot>& slots, const std::vector<int*>& follow);
    // No separator at either end nor two together; the indexes in `follow` move with the slots.
    static void StripSlots(std::vector<ButtonSlot>& slots, const std::vector<int*>& follow);
    // Takes a slot's picture record and flyout out of their lists; later slots move down.
    void RemoveSlotExtras(int index);
    // Takes the last button off and the toolbar with it (a default one stays, empty).
    void RemoveWhenEmpty();
    // A toolbar made for a copy dropped on empty space, floating at the point.
    JToolBar* MakeToolbarFor(CFrameWnd* pFrame, const ButtonSlot& slot, CPoint at);
    void ShowWhenReady();
    // The frame whose message bar shows the prompts: the owner, else the parent.
    CFrameWnd* MessageFrame();
    void ShowPrompt(UINT nID);
    void ActivateToolTips();
    // Makes the bar's tip control, with a tool for each button, the first time
    // it is needed; false when it cannot be made.
    BOOL EnsureToolTip();

    // The flyouts as command lists by button index, in button order: what the
    // registry gave and what it is given back.
    struct FlyoutList {
        int nButton;
        std::vector<UINT> ids;
    };
    std::vector<FlyoutList> m_flyoutLists;
    void SetFlyoutList(int nButton, std::vector<UINT> ids);
    BOOL HasFlyoutList(int nButton) const;
    // Destroys every flyout and empties its slot.
    void DestroyFlyouts();
    // Registry steps.
    BOOL IsVisibleForSave();
    void WriteDefaultFlyouts(HKEY hKey);
    void WriteFlyouts(HKEY hKey, LPCSTR lpszListName, LPCSTR lpszItemFormat);
    BOOL ReadPlacement(HKEY hKey, BOOL& bHorz);
    void ApplyVisibility();
    BOOL ReadPictureRecords(HKEY hKey);
    BOOL ReadButtons(HKEY hKey, BOOL& bStoredRows);
    // dwWindowStyle: the bar style the window's frame was last made for.
    void CommitStoredLayout(BOOL bHorz, BOOL bStoredRows, DWORD dwWindowStyle);
    // Takes the command list of every listed flyout button; a missing list fails
    // when required, else ends the reading.
    BOOL ReadFlyoutLists(HKEY hKey, const std::vector<UINT>& buttons, LPCSTR lpszItemFormat, BOOL bRequired);

    // Picture records: the slots follow their buttons by command ID; records read
    // from a key wait here until the buttons are read.
    std::vector<CTMBITMAPSTRUCT*> m_loadedRecords;
    void AttachRecords(const UINT* lpIDArray, int nIDCount);
    void DeleteRecords();
    void SetCustomRecord(int index, CTMBITMAPSTRUCT* pRecord);
    HBITMAP MakeRecordImage(CTMBITMAPSTRUCT* pRecord);
    BOOL WritePictureRecords(HKEY hKey);
    BOOL m_bWritingNewKey = FALSE;   // WriteToNewKey: nothing stale to remove
    // Removes a value an earlier write may have left.
    void DropStaleValue(HKEY hKey, LPCSTR name);
    BOOL ReadPictureRecord(HKEY hKey, int n, CTMBITMAPSTRUCT*& pRecord);

    std::vector<ULONG_PTR> m_stripInputs;
    int m_nStripBuilds = 0;
    BOOL m_bCounted = FALSE;      // counted in the control state's number of toolbars
    BOOL m_bDestroying = FALSE;   // the destructor destroys the window: no second delete
};

// AutoDialogBar and the ribbon bar JDialogBar: jribbonbar.h.
