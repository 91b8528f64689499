// Collections: pointer and UINT arrays, the pointer list.
#pragma once
#include "afxobject.h"
#include <algorithm>
#include <vector>

// A growable array of T with the framework's array interface.
template <class T>
class CSimpleArray : public CObject {
public:
    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    void SetSize(INT_PTR nNewSize) { m_data.resize(nNewSize > 0 ? (size_t)nNewSize : 0, T()); }

    T GetAt(INT_PTR i) const { return m_data.at((size_t)i); }
    void SetAt(INT_PTR i, T value) { m_data.at((size_t)i) = value; }
    T& ElementAt(INT_PTR i) { return m_data.at((size_t)i); }
    T operator[](INT_PTR i) const { return GetAt(i); }
    T& operator[](INT_PTR i) { return ElementAt(i); }
    T* GetData() { return m_data.data(); }
    const T* GetData() const { return m_data.data(); }

    INT_PTR Add(T value) { m_data.push_back(value); return GetUpperBound(); }
    // Setting past the end grows the array.
    void SetAtGrow(INT_PTR i, T value)
    {
        if (i >= GetSize())
            SetSize(i + 1);
        SetAt(i, value);
    }
    void InsertAt(INT_PTR i, T value, INT_PTR nCount = 1)
    {
        if (i < 0 || nCount <= 0)
            return;
        if (i > GetSize())
            SetSize(i);
        const size_t at = (size_t)i, n = (size_t)nCount;
        m_data.resize(m_data.size() + n);
        std::move_backward(m_data.begin() + at, m_data.end() - n, m_data.end());
        std::fill_n(m_data.begin() + at, n, value);
    }
    void RemoveAt(INT_PTR i, INT_PTR nCount = 1)
    {
        if (i < 0 || i >= GetSize() || nCount <= 0)
            return;
        const INT_PTR last = std::min(GetSize(), i + nCount);
        m_data.erase(m_data.begin() + i, m_data.begin() + last);
    }
    void RemoveAll() { m_data.clear(); }
    void Copy(const CSimpleArray& other) { m_data = other.m_data; }
    INT_PTR Append(const CSimpleArray& other)
    {
        const INT_PTR first = GetSize();
        m_data.insert(m_data.end(), other.m_data.begin(), other.m_data.end());
        return first;
    }

private:
    std::vector<T> m_data;
};

class CPtrArray : public CSimpleArray<void*> {};
class CUIntArray : public CSimpleArray<UINT> {};
class CDWordArray : public CSimpleArray<DWORD> {};

struct __POSITION {};
typedef __POSITION* POSITION;

// A doubly linked list of pointers; POSITION values stay valid until their node is removed.
class AFX_CORE_API CPtrList : public CObject {
public:
    CPtrList() = default;
    ~CPtrList() override;
    CPtrList(const CPtrList&) = delete;
    CPtrList& operator=(const CPtrList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    void*& GetHead();
    void*& GetTail();
    void*& GetNext(POSITION& rPosition);      // returns the element at rPosition, then advances
    void*& GetPrev(POSITION& rPosition);
    void*& GetAt(POSITION position);
    void SetAt(POSITION position, void* newElement);

    POSITION AddHead(void* newElement);
    POSITION AddTail(void* newElement);
    POSITION InsertBefore(POSITION position, void* newElement);
    POSITION InsertAfter(POSITION position, void* newElement);
    void* RemoveHead();
    void* RemoveTail();
    void RemoveAt(POSITION position);
    void RemoveAll();

    POSITION Find(void* searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

public:
    struct CNode; // node layout is private to the implementation

private:
    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};
