// Collections: arrays of pointers, numbers and strings; lists of pointers and objects.
#pragma once
#include "afxobject.h"
#include "afxstr.h"
#include <algorithm>
#include <vector>

// A growable array of T with the framework's array interface. Positions out of range read as
// T() and are not written: no accessor reaches outside the array.
template <class T>
class CSimpleArray : public CObject {
public:
    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    void SetSize(INT_PTR nNewSize) { m_data.resize(nNewSize > 0 ? (size_t)nNewSize : 0, T()); }

    T GetAt(INT_PTR i) const { return InRange(i) ? m_data[(size_t)i] : T(); }
    void SetAt(INT_PTR i, const T& value)
    {
        if (InRange(i))
            m_data[(size_t)i] = value;
    }
    // Out of range: a scratch element holding T(), not part of the array.
    T& ElementAt(INT_PTR i)
    {
        if (InRange(i))
            return m_data[(size_t)i];
        m_outside = T();
        return m_outside;
    }
    T operator[](INT_PTR i) const { return GetAt(i); }
    T& operator[](INT_PTR i) { return ElementAt(i); }
    T* GetData() { return m_data.data(); }
    const T* GetData() const { return m_data.data(); }

    INT_PTR Add(const T& value)
    {
        m_data.push_back(value);
        return GetUpperBound();
    }
    // Setting past the end grows the array.
    void SetAtGrow(INT_PTR i, const T& value)
    {
        if (i < 0)
            return;
        if (i >= GetSize())
            SetSize(i + 1);
        SetAt(i, value);
    }
    void InsertAt(INT_PTR i, const T& value, INT_PTR nCount = 1)
    {
        if (i < 0 || nCount <= 0)
            return;
        if (i > GetSize())
            SetSize(i);
        m_data.insert(m_data.begin() + i, (size_t)nCount, value);
    }
    void RemoveAt(INT_PTR i, INT_PTR nCount = 1)
    {
        if (i < 0 || i >= GetSize() || nCount <= 0)
            return;
        const INT_PTR last = std::min(GetSize(), i + nCount);
        m_data.erase(m_data.begin() + i, m_data.begin() + last);
    }
    void RemoveAll() { m_data.clear(); }
    void Copy(const CSimpleArray& other)
    {
        if (&other != this)
            m_data = other.m_data;
    }
    INT_PTR Append(const CSimpleArray& other)
    {
        const INT_PTR first = GetSize();
        const std::vector<T> copy(other.m_data);   // appending an array to itself
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return first;
    }

private:
    bool InRange(INT_PTR i) const { return i >= 0 && i < GetSize(); }

    std::vector<T> m_data;
    T m_outside{};
};

class CPtrArray : public CSimpleArray<void*> {};
class CUIntArray : public CSimpleArray<UINT> {};
class CDWordArray : public CSimpleArray<DWORD> {};

class CStringArray : public CSimpleArray<CString> {};

struct __POSITION {};
typedef __POSITION* POSITION;

// A doubly linked list of T; POSITION values stay valid until their node is removed. Reading
// an empty list or a NULL position gives T() (NULL for pointers) and changes nothing.
template <class T>
class CSimpleList : public CObject {
public:
    CSimpleList() = default;
    ~CSimpleList() override { RemoveAll(); }
    CSimpleList(const CSimpleList&) = delete;
    CSimpleList& operator=(const CSimpleList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    POSITION GetHeadPosition() const { return m_pNodeHead; }
    POSITION GetTailPosition() const { return m_pNodeTail; }
    T& GetHead() { return DataAt(m_pNodeHead); }
    T& GetTail() { return DataAt(m_pNodeTail); }
    // Returns the element at rPosition, then moves rPosition to the next (previous) one.
    T& GetNext(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = node ? node->pNext : nullptr;
        return DataAt(node);
    }
    T& GetPrev(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = node ? node->pPrev : nullptr;
        return DataAt(node);
    }
    T& GetAt(POSITION position) { return DataAt(Node(position)); }
    void SetAt(POSITION position, const T& newElement)
    {
        if (CNode* node = Node(position))
            node->data = newElement;
    }

    POSITION AddHead(const T& newElement) { return Link(nullptr, m_pNodeHead, newElement); }
    POSITION AddTail(const T& newElement) { return Link(m_pNodeTail, nullptr, newElement); }
    // A NULL position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION position, const T& newElement)
    {
        CNode* next = Node(position);
        return next ? Link(next->pPrev, next, newElement) : AddHead(newElement);
    }
    POSITION InsertAfter(POSITION position, const T& newElement)
    {
        CNode* prev = Node(position);
        return prev ? Link(prev, prev->pNext, newElement) : AddTail(newElement);
    }
    T RemoveHead()
    {
        T data = DataAt(m_pNodeHead);
        RemoveAt(m_pNodeHead);
        return data;
    }
    T RemoveTail()
    {
        T data = DataAt(m_pNodeTail);
        RemoveAt(m_pNodeTail);
        return data;
    }
    void RemoveAt(POSITION position)
    {
        CNode* node = Node(position);
        if (!node)
            return;
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        delete node;
        --m_nCount;
    }
    void RemoveAll()
    {
        while (m_pNodeHead)
            RemoveAt(m_pNodeHead);
    }

    POSITION Find(const T& searchValue, POSITION startAfter = nullptr) const
    {
        for (CNode* node = startAfter ? Node(startAfter)->pNext : m_pNodeHead; node; node = node->pNext)
            if (node->data == searchValue)
                return node;
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pNodeHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return node;
    }

private:
    struct CNode : __POSITION {
        CNode* pNext;
        CNode* pPrev;
        T data;
    };
    static CNode* Node(POSITION p) { return static_cast<CNode*>(p); }

    T& DataAt(CNode* node)
    {
        if (node)
            return node->data;
        m_outside = T();
        return m_outside;
    }
    POSITION Link(CNode* prev, CNode* next, const T& newElement)
    {
        CNode* node = new CNode{{}, next, prev, newElement};
        (prev ? prev->pNext : m_pNodeHead) = node;
        (next ? next->pPrev : m_pNodeTail) = node;
        ++m_nCount;
        return node;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    T m_outside{};   // what reading outside the list gives
};

class CPtrList : public CSimpleList<void*> {};
class CObList : public CSimpleList<CObject*> {};
