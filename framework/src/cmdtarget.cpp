#include "afxwin.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr, 0}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nKind != AfxEntryMessage)
                continue;
            if (e->pnRegisteredMessage) {
                if (*e->pnRegisteredMessage == nMessage && nMessage != 0)
                    return e;
            } else if (e->nMessage == nMessage) {
                return e;
            }
        }
    }
    return nullptr;
}

namespace {

// Notification codes travel in 16 bits (MAKELONG(code, message)); entries hold
// them as declared, often negative. Command-UI entries keep their full code.
UINT EntryCode(const AFX_MSGMAP_ENTRY& entry)
{
    if (entry.nMessage == WM_COMMAND && entry.nCode == CN_UPDATE_COMMAND_UI)
        return entry.nCode;
    return LOWORD(entry.nCode);
}

}   // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Split the code into the message the entries were declared for and its notification code.
    UINT nMsg = WM_COMMAND;
    UINT nNotify = (UINT)nCode;
    if (nNotify != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nNotify) ? HIWORD(nNotify) : WM_COMMAND;
        nNotify = LOWORD(nNotify);
    }
    const bool isNotify = nMsg == WM_NOTIFY || nMsg == WM_REFLECT_BASE + WM_NOTIFY;
    if (isNotify && !pHandlerInfo && (!pExtra || !static_cast<AFX_NOTIFY*>(pExtra)->pNMHDR))
        return FALSE;

    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nKind != AfxEntryRouted || e->nMessage != nMsg || EntryCode(*e) != nNotify || nID < e->nID ||
                nID > e->nLastID)
                continue;
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                pHandlerInfo->pEntry = e;
                return TRUE;
            }
            if (nNotify == CN_UPDATE_COMMAND_UI && nMsg == WM_COMMAND) {
                CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
                if (!pCmdUI)
                    return FALSE;
                pCmdUI->m_bContinueRouting = FALSE;
                e->pfn(this, reinterpret_cast<WPARAM>(pCmdUI), 0);
                return !pCmdUI->m_bContinueRouting;
            }
            if (isNotify) {
                AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
                LRESULT ignored = 0;
                if (e->pfn(this, reinterpret_cast<WPARAM>(pNotify->pNMHDR),
                           reinterpret_cast<LPARAM>(pNotify->pResult ? pNotify->pResult : &ignored)))
                    return TRUE;
                continue;   // an _EX handler declined
            }
            if (e->pfn(this, nID, 0))
                return TRUE;
        }
    }
    return FALSE;
}
