#include "jlocalizationinfo.h"

#include "hostengine.h"
#include "imecomposition.h"
#include "immlibrary.h"

namespace {

bool IsIdeographicPrimaryLanguage(LANGID language)
{
    const WORD primary = PRIMARYLANGID(language);
    return primary == LANG_CHINESE || primary == LANG_JAPANESE || primary == LANG_KOREAN;
}

LANGID KeyboardLanguage()
{
    return LOWORD(reinterpret_cast<ULONG_PTR>(::GetKeyboardLayout(0)));
}

// Messages the input method library may count as its interface's: the others are
// answered without loading it.
bool MayBeInputMethodMessage(UINT message)
{
    return (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_COMPOSITION) ||
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP);
}

// A font the caller owns, or NULL.
CFont* NewFont(const LOGFONTA& logFont)
{
    CFont* pFont = new CFont;
    if (!pFont->CreateFontIndirect(&logFont)) {
        delete pFont;
        return nullptr;
    }
    return pFont;
}

}   // namespace

JLocalizationInfo::JLocalizationInfo() : m_lcidSystem(::GetSystemDefaultLCID())
{
    m_hook.SetLocalizationInfo(this);
}

JLocalizationInfo::JLocalizationInfo(const JLocalizationInfo& other)
    : m_lcidSystem(other.m_lcidSystem), m_hook(other.m_hook)
{
    m_hook.SetLocalizationInfo(this);
}

JLocalizationInfo& JLocalizationInfo::operator=(const JLocalizationInfo& other)
{
    if (this != &other) {
        m_lcidSystem = other.m_lcidSystem;
        m_hook = other.m_hook;
        m_hook.SetLocalizationInfo(this);
    }
    return *this;
}

JLocalizationInfo::~JLocalizationInfo()
{
    m_hook.ReleaseHook();
}

BOOL JLocalizationInfo::IsIdeoGraphicLanguage(LANGID language)
{
    return IsIdeographicPrimaryLanguage(language);
}

BOOL JLocalizationInfo::IsIdeoGraphicLanguage() const
{
    return IsIdeographicPrimaryLanguage(LANGIDFROMLCID(m_lcidSystem));
}

BOOL JLocalizationInfo::IsKeyBoardIdeoGraphicLanguage()
{
    return IsIdeographicPrimaryLanguage(KeyboardLanguage());
}

BOOL JLocalizationInfo::SetThreadLocaleToKeyBoardLocale()
{
    // The whole language, not only its primary part: Chinese as written in Taiwan and in
    // China differ in code page, which the thread's conversions follow.
    return ::SetThreadLocale(MAKELCID(KeyboardLanguage(), SORT_DEFAULT));
}

CFont* JLocalizationInfo::GetDefaultFont()
{
    LOGFONTA logFont{};
    if (!::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont))
        return nullptr;
    return NewFont(logFont);
}

GUserText JLocalizationInfo::GetDefaultFontName(CDC* pDC)
{
    const HDC hGivenDC = pDC ? pDC->GetSafeHdc() : nullptr;
    const HDC hDC = hGivenDC ? hGivenDC : ::GetDC(nullptr);
    if (!hDC)
        return GUserText();
    const HGDIOBJ hOldFont = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    char face[256] = "";
    if (!::GetTextFaceA(hDC, sizeof face, face))
        face[0] = '\0';
    ::SelectObject(hDC, hOldFont);
    if (!hGivenDC)
        ::ReleaseDC(nullptr, hDC);
    return GUserText(face);
}

CFont* JLocalizationInfo::GetIMEFont(HWND hWnd)
{
    ImmLibrary imm;
    const auto pfnGetContext = imm.Find<HIMC(WINAPI*)(HWND)>("ImmGetContext");
    const auto pfnReleaseContext = imm.Find<BOOL(WINAPI*)(HWND, HIMC)>("ImmReleaseContext");
    const auto pfnGetFont = imm.Find<BOOL(WINAPI*)(HIMC, LPLOGFONTA)>("ImmGetCompositionFontA");
    if (!pfnGetContext || !pfnReleaseContext || !pfnGetFont)
        return nullptr;
    const HIMC hIMC = pfnGetContext(hWnd);
    if (!hIMC)
        return nullptr;
    LOGFONTA logFont{};
    const BOOL bHasFont = pfnGetFont(hIMC, &logFont);
    pfnReleaseContext(hWnd, hIMC);
    return bHasFont ? NewFont(logFont) : nullptr;
}

ULONG_PTR JLocalizationInfo::AssociateContext(HWND hWnd, HIMC hIMC)
{
    ImmLibrary imm;
    const auto pfnAssociate = imm.Find<HIMC(WINAPI*)(HWND, HIMC)>("ImmAssociateContext");
    if (!pfnAssociate)
        return 0;
    if (hIMC)
        return reinterpret_cast<ULONG_PTR>(pfnAssociate(hWnd, hIMC));
    const auto pfnGetContext = imm.Find<HIMC(WINAPI*)(HWND)>("ImmGetContext");
    const auto pfnReleaseContext = imm.Find<BOOL(WINAPI*)(HWND, HIMC)>("ImmReleaseContext");
    if (!pfnGetContext || !pfnReleaseContext)
        return 0;
    // Without a context to be had (none associated, or none the library can open), nothing
    // is associated: NULL would switch the window's input method off.
    const HIMC hCurrent = pfnGetContext(hWnd);
    if (!hCurrent)
        return 0;
    const HIMC hPrevious = pfnAssociate(hWnd, hCurrent);
    pfnReleaseContext(hWnd, hCurrent);
    return reinterpret_cast<ULONG_PTR>(hPrevious);
}

int JLocalizationInfo::ImmIsUIMessageA(HWND hWndIME, UINT message, WPARAM wParam, LPARAM lParam)
{
    ImmLibrary imm;
    const auto pfnIsUIMessage = imm.Find<BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM)>("ImmIsUIMessageA");
    return pfnIsUIMessage ? pfnIsUIMessage(hWndIME, message, wParam, lParam) : 0;
}

BOOL JLocalizationInfo::AttachWinProc(HWND hWnd)
{
    m_hook.SetLocalizationInfo(this);
    return m_hook.SetHook(WH_CALLWNDPROC, hWnd);
}

LRESULT JLocalizationInfo::ProcessIMECompositionMsg(HWND hWnd, UINT, WPARAM, LPARAM lParam)
{
    if (!CompositionHasResult(lParam))
        return 0;
    if (!ImmLibrary())
        return 0;
    if (hWnd)
        return SendComposedResult(hWnd, hWnd) > 0 ? 1 : 0;
    HostObject<IJAppMainWindow> application(IID_IJAppMainWindow);
    HWND hMainWnd = nullptr;
    if (!application || FAILED(application->GetMainWindow(&hMainWnd)) || !hMainWnd)
        return 0;
    return SendComposedResult(hMainWnd, hMainWnd) > 0 ? 1 : 0;
}

LRESULT JLocalizationInfo::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only input-method interface messages concern this. They are classified without an
    // input-method window: one given would get the message a second time.
    if (!MayBeInputMethodMessage(message) || !ImmIsUIMessageA(nullptr, message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_IME_COMPOSITION:
        return ProcessIMECompositionMsg(hWnd, message, wParam, lParam);
    case WM_IME_COMPOSITIONFULL: {
        // The input method places its composition window again, where it sees fit.
        COMPOSITIONFORM form{};
        form.dwStyle = CFS_DEFAULT;
        return ::SendMessageA(hWnd, WM_IME_CONTROL, IMC_SETCOMPOSITIONWINDOW, reinterpret_cast<LPARAM>(&form));
    }
    default:
        return 0;
    }
}
