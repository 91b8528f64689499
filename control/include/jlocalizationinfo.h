// What the controls need for East-Asian input and fonts: whether the system or
// keyboard language is ideographic, the default GUI font, the input method's
// composition font and context, and a window-procedure hook that turns input
// method results into characters for windows that do not handle input-method
// messages themselves. "imm32.dll" is loaded from the system folder for each
// call: without it every input-method operation answers 0 or NULL.
#pragma once
#include "baseutil.h"
#include "controlapi.h"
#include "jdllhook.h"

#include <imm.h>

// The host application object's main window, asked for when a composition message
// comes without a window.
// {2D38416E-2A99-11D0-9DD8-080036D82702}
inline constexpr IID IID_IJAppMainWindow = {
    0x2d38416e, 0x2a99, 0x11d0, {0x9d, 0xd8, 0x08, 0x00, 0x36, 0xd8, 0x27, 0x02}};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct IJAppMainWindow : public IUnknown {
    // The window composition results go to; S_OK and a window, or a failure code.
    virtual HRESULT STDMETHODCALLTYPE GetMainWindow(HWND* phWnd) = 0;
};
#pragma GCC diagnostic pop

class CONTROL_CLASS JLocalizationInfo {
public:
    JLocalizationInfo();
    // A copy has the same language and a use of its own of the same window hook.
    JLocalizationInfo(const JLocalizationInfo& other);
    JLocalizationInfo& operator=(const JLocalizationInfo& other);

    // Chinese, Japanese or Korean (the primary language, the low 10 bits).
    static BOOL IsIdeoGraphicLanguage(LANGID language);
    // The same test on the system language taken at construction.
    BOOL IsIdeoGraphicLanguage() const;
    // The same test on the current keyboard layout's language.
    static BOOL IsKeyBoardIdeoGraphicLanguage();
    // Makes the current keyboard layout's language the thread's locale; FALSE when refused.
    static BOOL SetThreadLocaleToKeyBoardLocale();

    // A new font (owned by the caller) like the stock DEFAULT_GUI_FONT; NULL when it cannot be made.
    static CFont* GetDefaultFont();
    // The face name of DEFAULT_GUI_FONT as selected into pDC (the screen's DC when NULL).
    static GUserText GetDefaultFontName(CDC* pDC);
    // A new font (owned by the caller) from the composition font of hWnd's input context;
    // NULL without the input method library, the context or the font.
    static CFont* GetIMEFont(HWND hWnd);
    // Associates an input context with hWnd (NULL: the window's current one again) and returns
    // the context associated before; 0 without the library.
    static ULONG_PTR AssociateContext(HWND hWnd, HIMC hIMC);
    // The input method library's ImmIsUIMessageA (which also passes an input-method message on
    // to hWndIME when given); 0 without the library.
    static int ImmIsUIMessageA(HWND hWndIME, UINT message, WPARAM wParam, LPARAM lParam);
    // Lets WindowProc see the messages sent to hWnd (and its child windows) on this thread,
    // until another AttachWinProc or the object goes. FALSE when the hook cannot be set.
    // It is meant for windows that keep input-method messages from DefWindowProc: one that
    // passes them on also gets the system's own characters for them.
    BOOL AttachWinProc(HWND hWnd);

    // Composition results become WM_IME_CHAR messages (one per UTF-16 unit) to the window;
    // 1 when a result was sent, else 0.
    virtual LRESULT ProcessIMECompositionMsg(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The hook's view of a message sent to the attached window; non-zero when it was handled
    // here. The window's own procedure gets the message either way.
    virtual LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    virtual ~JLocalizationInfo();

    LCID GetSystemLCID() const { return m_lcidSystem; }
    const JDLLHook& GetHook() const { return m_hook; }

private:
    LCID m_lcidSystem;
    JDLLHook m_hook;
};
