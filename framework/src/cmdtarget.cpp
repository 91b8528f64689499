#include "afxwnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
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
            if (e->pnRegisteredMessage) {
                if (*e->pnRegisteredMessage == nMessage && nMessage != 0)
                    return e;
            } else if (e->nMessage == nMessage && nMessage != WM_COMMAND && nMessage != WM_NOTIFY) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult)
{
    const UINT message = pExtra ? WM_NOTIFY : WM_COMMAND;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->pnRegisteredMessage || e->nMessage != message || e->nCode != (UINT)nCode || nID < e->nID ||
                nID > e->nLastID)
                continue;
            if (message == WM_NOTIFY) {
                LRESULT ignored = 0;
                e->pfn(this, (WPARAM)pExtra, (LPARAM)(pResult ? pResult : &ignored));
                return TRUE;
            }
            if (e->pfn(this, nID, 0))
                return TRUE;
        }
    }
    return FALSE;
}
