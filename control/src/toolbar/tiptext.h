// Reading back the text a tip control holds for a tool.
#pragma once
#include "afxwin.h"

// The text of the tool `nID` of `hWnd`, read into a buffer of ours and always
// ended: the control is told the buffer's size, though older ones take none and
// write the whole text. False when the tool asks its owner for its text instead.
inline bool ReadTipText(CToolTipCtrl* pToolTip, HWND hWnd, UINT nID, char (&text)[INFOTIPSIZE])
{
    text[0] = '\0';
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = hWnd;
    info.uId = nID;
    info.lpszText = text;
    pToolTip->SendMessage(TTM_GETTEXTA, sizeof text, (LPARAM)&info);
    text[sizeof text - 1] = '\0';
    return info.lpszText != LPSTR_TEXTCALLBACKA;
}
