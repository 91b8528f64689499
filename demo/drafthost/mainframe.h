// The demo host's main frame: a drawing sheet with a status line.
#pragma once
#include "afxwin.h"

class CMainFrame : public CFrameWnd {
public:
    // status: the line shown at the bottom of the sheet.
    explicit CMainFrame(const CString& status) : m_status(status) {}

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CString m_status;
};
