#include "jcategory.h"

#include <cstring>

JCategory::~JCategory()
{
    for (HBITMAP& hBitmap : m_hBitmaps) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        hBitmap = nullptr;
    }
}

int JCategory::FindPosition(UINT nCommandID) const
{
    for (INT_PTR i = 0; i < m_arrIDs.GetSize(); ++i)
        if (m_arrIDs[i] == nCommandID)
            return (int)i;
    return -1;
}

int JCategory::FindImageIndex(UINT nCommandID) const
{
    if (nCommandID == 0)
        return -1;   // separators have no image
    int image = 0;
    for (INT_PTR i = 0; i < m_arrIDs.GetSize(); ++i) {
        if (m_arrIDs[i] == nCommandID)
            return image;
        if (m_arrIDs[i] != 0)
            ++image;
    }
    return -1;
}

CCategoryPtrList::~CCategoryPtrList()
{
    RemoveAllCategories();
}

int CCategoryPtrList::IndexOf(const char* name, HINSTANCE hModule, bool matchModule) const
{
    if (!name)
        return -1;
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const JCategory* pCategory = static_cast<const JCategory*>(GetAt(i));
        if (pCategory && strcmp(pCategory->m_strName, name) == 0 && (!matchModule || pCategory->m_hModule == hModule))
            return (int)i;
    }
    return -1;
}

void CCategoryPtrList::MoveToEnd(int index)
{
    void* pCategory = GetAt(index);
    RemoveAt(index);
    Add(pCategory);
}

JCategory* CCategoryPtrList::Append(const char* name, const UINT* commandIDs, const CStringArray* names, int count,
                                    int option)
{
    auto* pCategory = new JCategory;
    pCategory->m_strName = name;
    pCategory->m_nOption = option;
    // A negative count, or IDs missing altogether, registers an empty category.
    for (int i = 0; commandIDs && i < count; ++i) {
        pCategory->m_arrIDs.Add(commandIDs[i]);
        if (names)
            pCategory->m_arrNames.Add(names->GetAt(i));
    }
    Add(pCategory);
    return pCategory;
}

void CCategoryPtrList::AddCategory(const char* name, UINT smallID, UINT smallColorID, UINT largeID, UINT largeColorID,
                                   const UINT* commandIDs, const CStringArray* names, int count, HINSTANCE hModule,
                                   int option)
{
    if (!name)
        return;
    if (const int existing = IndexOf(name, hModule, true); existing >= 0) {
        MoveToEnd(existing);
        return;
    }
    JCategory* pCategory = Append(name, commandIDs, names, count, option);
    pCategory->m_hModule = hModule;
    const UINT ids[JCategory::StripCount] = {smallID, smallColorID, largeID, largeColorID};
    for (int i = 0; i < JCategory::StripCount; ++i)
        pCategory->m_nBitmapIDs[i] = ids[i];
}

void CCategoryPtrList::AddCategory(const char* name, HBITMAP small, HBITMAP smallColor, HBITMAP large,
                                   HBITMAP largeColor, const UINT* commandIDs, const CStringArray* names, int count,
                                   int option)
{
    if (!name)
        return;
    if (const int existing = IndexOf(name, nullptr, false); existing >= 0) {
        MoveToEnd(existing);
        return;
    }
    JCategory* pCategory = Append(name, commandIDs, names, count, option);
    const HBITMAP handles[JCategory::StripCount] = {small, smallColor, large, largeColor};
    for (int i = 0; i < JCategory::StripCount; ++i)
        pCategory->m_hBitmaps[i] = handles[i];
}

JCategory* CCategoryPtrList::GetCategory(int index) const
{
    return static_cast<JCategory*>(GetAt(index));
}

JCategory* CCategoryPtrList::GetCategory(const char* name) const
{
    const int index = IndexOf(name, nullptr, false);
    return index < 0 ? nullptr : GetCategory(index);
}

void CCategoryPtrList::RemoveAllCategories()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete static_cast<JCategory*>(GetAt(i));
    RemoveAll();
}

void CCategoryPtrList::RemoveCategory(int index)
{
    if (index < 0 || index >= GetSize())
        return;
    delete static_cast<JCategory*>(GetAt(index));
    RemoveAt(index);
}

void CCategoryPtrList::RemoveCategory(const char* name)
{
    RemoveCategory(IndexOf(name, nullptr, false));
}

int CCategoryPtrList::FindID(const char* name, UINT commandID)
{
    const JCategory* pCategory = GetCategory(name);
    return pCategory ? pCategory->FindImageIndex(commandID) : -1;
}

int CCategoryPtrList::NumberOfCommands(const char* name)
{
    const JCategory* pCategory = GetCategory(name);
    return pCategory ? (int)pCategory->m_arrIDs.GetSize() : -1;
}

UINT CCategoryPtrList::GetCmdID(const char* name, int position)
{
    const JCategory* pCategory = GetCategory(name);
    return pCategory ? pCategory->m_arrIDs.GetAt(position) : 0;
}

void CCategoryPtrList::FindCategoryName(UINT commandID, CString& out)
{
    out.Empty();
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const JCategory* pCategory = GetCategory((int)i);
        if (pCategory && pCategory->FindPosition(commandID) >= 0) {
            out = pCategory->m_strName;
            return;
        }
    }
}
