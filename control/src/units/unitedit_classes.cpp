// The unit edit kinds and their window classes for dialog templates.
#include "junitedit.h"

#include "module.h"

#include <new>

IMPLEMENT_DYNAMIC(JDistanceEdit, JUnitEdit)
IMPLEMENT_DYNAMIC(JAngleEdit, JUnitEdit)
IMPLEMENT_DYNAMIC(JDirectionEdit, JUnitEdit)
IMPLEMENT_DYNAMIC(JScalarEdit, JUnitEdit)

namespace {

HINSTANCE ClassModule()
{
    return ControlModule() ? ControlModule() : ::GetModuleHandleA(nullptr);
}

// The object a window of a registered class gets: it goes with its window.
template <class TEdit>
class JAutoUnitEdit final : public TEdit {
public:
    static WNDPROC s_pfnEdit;   // the system edit class's procedure

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // Long entries scroll instead of being cut off at the edge. The edit control reads
        // its style from the creation data: both change.
        if (message == WM_NCCREATE) {
            this->ModifyStyle(0, ES_AUTOHSCROLL);
            if (auto* pCreate = reinterpret_cast<CREATESTRUCTA*>(lParam))
                pCreate->style |= ES_AUTOHSCROLL;
        }
        return TEdit::WindowProc(message, wParam, lParam);
    }

    // The class procedure: a window of the class gets its object with its first message.
    static LRESULT CALLBACK StartUp(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        // An object made with Create subclassed the window itself: this is its default processing.
        if (CWnd::FromHandlePermanent(hWnd))
            return ::CallWindowProcA(s_pfnEdit, hWnd, message, wParam, lParam);
        auto* pEdit = new (std::nothrow) JAutoUnitEdit;
        if (!pEdit)
            return ::CallWindowProcA(s_pfnEdit, hWnd, message, wParam, lParam);
        JUnitEdit::AdoptWindow(pEdit, hWnd, s_pfnEdit);
        return AfxCallWndProc(pEdit, hWnd, message, wParam, lParam);
    }

protected:
    void PostNcDestroy() override { delete this; }
};

template <class TEdit>
WNDPROC JAutoUnitEdit<TEdit>::s_pfnEdit = nullptr;

}   // namespace

void JUnitEdit::AdoptWindow(JUnitEdit* pEdit, HWND hWnd, WNDPROC pfnEdit)
{
    pEdit->Attach(hWnd);
    pEdit->m_pfnSuper = pfnEdit;
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
}

BOOL JUnitEdit::RegisterEditSuperclass(LPCSTR className, UINT classStyle, WNDPROC pfnStartUp, WNDPROC* ppfnEdit)
{
    WNDCLASSA edit{};
    if (!::GetClassInfoA(nullptr, "edit", &edit))
        return FALSE;
    *ppfnEdit = edit.lpfnWndProc;
    WNDCLASSA existing{};
    if (::GetClassInfoA(ClassModule(), className, &existing))
        return existing.lpfnWndProc == pfnStartUp;
    WNDCLASSA wc = edit;
    wc.hInstance = ClassModule();
    wc.lpszClassName = className;
    wc.style = classStyle;
    wc.lpfnWndProc = pfnStartUp;
    return ::RegisterClassA(&wc) != 0;
}

#define UNIT_EDIT_CLASS(theClass, classStyle) \
    BOOL theClass::RegisterControlClass() \
    { \
        return RegisterEditSuperclass(#theClass, classStyle, JAutoUnitEdit<theClass>::StartUp, \
                                      &JAutoUnitEdit<theClass>::s_pfnEdit); \
    } \
    BOOL theClass::UnregisterControlClass() \
    { \
        return ::UnregisterClassA(#theClass, ClassModule()); \
    }

UNIT_EDIT_CLASS(JUnitEdit, CS_GLOBALCLASS | CS_DBLCLKS)
UNIT_EDIT_CLASS(JDistanceEdit, CS_GLOBALCLASS | CS_DBLCLKS)
UNIT_EDIT_CLASS(JAngleEdit, CS_GLOBALCLASS | CS_DBLCLKS)
UNIT_EDIT_CLASS(JDirectionEdit, CS_GLOBALCLASS | CS_DBLCLKS)
UNIT_EDIT_CLASS(JScalarEdit, CS_GLOBALCLASS)

JDistanceEdit::JDistanceEdit() : JUnitEdit(UNIT_TYPE_DISTANCE)
{
}

JAngleEdit::JAngleEdit() : JUnitEdit(UNIT_TYPE_ANGLE)
{
}

JDirectionEdit::JDirectionEdit() : JUnitEdit(UNIT_TYPE_ANGLE)
{
}

JScalarEdit::JScalarEdit() : JUnitEdit(UNIT_TYPE_SCALAR)
{
}

void JScalarEdit::SetToIntegerControl()
{
    tagUomFormat format = GetLocalFormat();
    format.precision = 0;
    format.integerDisplay = 1;
    SetLocalFormat(format);
    SetUnitDisplayMode(0);
}

namespace {
}   // namespace
