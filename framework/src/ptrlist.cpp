#include "afxcoll.h"

struct CPtrList::CNode : __POSITION {
    CNode* pNext;
    CNode* pPrev;
    void* data;
};

namespace {
CPtrList::CNode* Node(POSITION p) { return static_cast<CPtrList::CNode*>(p); }
}

CPtrList::~CPtrList()
{
    RemoveAll();
}

POSITION CPtrList::GetHeadPosition() const { return m_pNodeHead; }
POSITION CPtrList::GetTailPosition() const { return m_pNodeTail; }
void*& CPtrList::GetHead() { return m_pNodeHead->data; }
void*& CPtrList::GetTail() { return m_pNodeTail->data; }
void*& CPtrList::GetAt(POSITION position) { return Node(position)->data; }
void CPtrList::SetAt(POSITION position, void* newElement) { Node(position)->data = newElement; }

void*& CPtrList::GetNext(POSITION& rPosition)
{
    CNode* node = Node(rPosition);
    rPosition = node->pNext;
    return node->data;
}

void*& CPtrList::GetPrev(POSITION& rPosition)
{
    CNode* node = Node(rPosition);
    rPosition = node->pPrev;
    return node->data;
}

POSITION CPtrList::AddHead(void* newElement)
{
    return m_pNodeHead ? InsertBefore(m_pNodeHead, newElement) : AddTail(newElement);
}

POSITION CPtrList::AddTail(void* newElement)
{
    if (m_pNodeTail)
        return InsertAfter(m_pNodeTail, newElement);
    CNode* node = new CNode{{}, nullptr, nullptr, newElement};
    m_pNodeHead = m_pNodeTail = node;
    m_nCount = 1;
    return node;
}

POSITION CPtrList::InsertBefore(POSITION position, void* newElement)
{
    if (!position)
        return AddHead(newElement);
    CNode* next = Node(position);
    CNode* node = new CNode{{}, next, next->pPrev, newElement};
    (next->pPrev ? next->pPrev->pNext : m_pNodeHead) = node;
    next->pPrev = node;
    ++m_nCount;
    return node;
}

POSITION CPtrList::InsertAfter(POSITION position, void* newElement)
{
    if (!position)
        return AddTail(newElement);
    CNode* prev = Node(position);
    CNode* node = new CNode{{}, prev->pNext, prev, newElement};
    (prev->pNext ? prev->pNext->pPrev : m_pNodeTail) = node;
    prev->pNext = node;
    ++m_nCount;
    return node;
}

void* CPtrList::RemoveHead()
{
    void* data = m_pNodeHead->data;
    RemoveAt(m_pNodeHead);
    return data;
}

void* CPtrList::RemoveTail()
{
    void* data = m_pNodeTail->data;
    RemoveAt(m_pNodeTail);
    return data;
}

void CPtrList::RemoveAt(POSITION position)
{
    CNode* node = Node(position);
    if (!node)
        return;
    (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
    (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
    delete node;
    --m_nCount;
}

void CPtrList::RemoveAll()
{
    while (m_pNodeHead)
        RemoveAt(m_pNodeHead);
}

POSITION CPtrList::Find(void* searchValue, POSITION startAfter) const
{
    for (CNode* node = startAfter ? Node(startAfter)->pNext : m_pNodeHead; node; node = node->pNext)
        if (node->data == searchValue)
            return node;
    return nullptr;
}

POSITION CPtrList::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* node = m_pNodeHead;
    while (nIndex-- > 0)
        node = node->pNext;
    return node;
}
