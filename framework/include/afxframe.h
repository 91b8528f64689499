// CFrameWnd: a top-level frame that keeps the list of its control bars.
#pragma once
#include "afxcoll.h"
#include "afxwnd.h"

class CControlBar;

class AFX_CORE_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;   // lets Windows choose position and size

    // The frame's control bars (CControlBar*), in the order they were added.
    CPtrList m_listControlBars;

    CFrameWnd() = default;

    using CWnd::Create;
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0);

    BOOL IsFrameWnd() const override { return TRUE; }
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

    // Commands go to the frame, then to the application object.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;   // frames delete themselves

    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
