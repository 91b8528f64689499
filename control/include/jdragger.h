// The tracker of a toolbar button being dragged: an inverted button-sized frame
// on the screen that follows the mouse until the button is let go or the drag is
// called off.
#pragma once
#include "controlapi.h"

class CONTROL_CLASS CDragger {
public:
    CDragger();
    ~CDragger();
    CDragger(const CDragger&) = delete;
    CDragger& operator=(const CDragger&) = delete;

    // Tracks a drag of button `index` of `bar` from a screen point. TRUE when it
    // ended with the left button let go; the drop is then GetLastRect(). Escape,
    // the right button, a lost capture, the bar's end or the application losing
    // activation call it off (FALSE); the frame is erased in every case.
    BOOL StartDrag(const CPoint& screenPoint, int index, CToolBar* bar);
    // The last rectangle drawn, in screen coordinates.
    CRect GetLastRect() const { return CRect(m_rectLast); }
    // Whether a drag is being tracked anywhere in the process.
    static BOOL IsDragging() { return s_bDragging; }

private:
    // Draws the frame at m_rect with the border size, erasing the last one.
    void Draw(SIZE size);
    // The loop: TRUE for a drop, FALSE when called off.
    BOOL Track();
    // Erases the frame, lets the mouse and the screen go.
    void End();

    POINT m_ptAnchor;   // where the press was
    RECT m_rectLast;    // last drawn
    RECT m_rect;        // current
    RECT m_rectStart;
    SIZE m_sizeLast;   // border of the last drawn frame
    CDC* m_pDC;        // the desktop's window DC while tracking

    HWND m_hWndBar = nullptr;   // holds the capture while tracking
    BOOL m_bLocked = FALSE;     // desktop updates locked by this drag
    static BOOL s_bDragging;
};
