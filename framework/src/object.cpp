#include "afxobject.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {
std::mutex& ClassLock()
{
    static std::mutex lock;
    return lock;
}
std::vector<const CRuntimeClass*>& Classes()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}
}

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    // Classes are compared by identity: each has exactly one record.
    for (const CRuntimeClass* p = this; p; p = p->GetBaseClass())
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    std::lock_guard<std::mutex> guard(ClassLock());
    for (const CRuntimeClass* p : Classes())
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* p = FromName(lpszClassName);
    return p ? p->CreateObject() : nullptr;
}

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pClass) : m_pClass(pClass)
{
    std::lock_guard<std::mutex> guard(ClassLock());
    Classes().push_back(pClass);
}

AFX_CLASSINIT::~AFX_CLASSINIT()
{
    std::lock_guard<std::mutex> guard(ClassLock());
    auto& classes = Classes();
    classes.erase(std::remove(classes.begin(), classes.end(), m_pClass), classes.end());
}
