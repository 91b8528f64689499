// The window classes "jbutton" and "SPACER" for dialog templates: a window of either
// class gets its object with its first message and the object goes with its window.
#include "jbutton.h"

#include "module.h"

#include <new>

namespace {

HINSTANCE ClassModule()
{
    return ControlModule() ? ControlModule() : ::GetModuleHandleA(nullptr);
}

// Takes hWnd over for pObject: from now on the framework's procedure sees its messages.
void Adopt(CWnd* pObject, HWND hWnd)
{
    pObject->Attach(hWnd);
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
}

class JTemplateButton final : public JButton {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = JButton::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && result != -1) {
            // The window text names the image; of the window style only the check-box bit
            // means a button style (the state bits share their places with WS_TABSTOP and the like).
            CString name;
            GetWindowText(name);
            if (!name.IsEmpty())
                LoadBitmap(name);
            m_nStyle |= GetStyle() & TBBS_CHECKBOX;
        }
        return result;
    }

protected:
    void PostNcDestroy() override { delete this; }
};

class JTemplateSpacer final : public JSpacer {
protected:
    void PostNcDestroy() override { delete this; }
};

template <class TObject>
LRESULT CALLBACK StartUp(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandlePermanent(hWnd))
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    auto* pObject = new (std::nothrow) TObject;
    if (!pObject)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    Adopt(pObject, hWnd);
    return AfxCallWndProc(pObject, hWnd, message, wParam, lParam);
}

BOOL RegisterGlobalClass(LPCSTR lpszClass, WNDPROC pfnStartUp, HBRUSH hBackground)
{
    WNDCLASSA existing{};
    if (::GetClassInfoA(ClassModule(), lpszClass, &existing))
        return existing.lpfnWndProc == pfnStartUp;
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = pfnStartUp;
    wc.hInstance = ClassModule();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = hBackground;
    wc.lpszClassName = lpszClass;
    return ::RegisterClassA(&wc) != 0;
}

}   // namespace

BOOL JButton::RegisterControlClass()
{
    return RegisterGlobalClass("jbutton", &StartUp<JTemplateButton>, nullptr);
}

BOOL JSpacer::RegisterControlClass()
{
    return RegisterGlobalClass("SPACER", &StartUp<JTemplateSpacer>, nullptr);
}
