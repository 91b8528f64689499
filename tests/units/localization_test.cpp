// JLocalizationInfo: languages, fonts, input contexts, the window-procedure hook, and what it does
// without the input method library or with a planted one.
#include "appcore.h"
#include "hook_recorder.h"
#include "immlibrary.h"
#include "jlocalizationinfo.h"
#include "module.h"
#include "planted.h"
#include "safeload.h"
#include "comfake.h"

#include <memory>
#include <string>

namespace {

const LPARAM kCompositionOnly = GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS;

// Stands another (absent) module in for "imm32.dll" for a scope.
struct InputMethodModuleScope {
    explicit InputMethodModuleScope(LPCSTR lpszName) { SetInputMethodModuleName(lpszName); }
    ~InputMethodModuleScope() { SetInputMethodModuleName(nullptr); }
};

// The system's input method library, called directly to check what the library did.
template <class Fn>
Fn SystemImm(LPCSTR lpszName)
{
    static const HMODULE hModule = LoadSystemModule("imm32.dll");
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName)));
}

// The window's associated context (released at once: only its identity matters).
HIMC ContextOf(HWND hWnd)
{
    const HIMC hIMC = SystemImm<HIMC(WINAPI*)(HWND)>("ImmGetContext")(hWnd);
    if (hIMC)
        SystemImm<BOOL(WINAPI*)(HWND, HIMC)>("ImmReleaseContext")(hWnd, hIMC);
    return hIMC;
}

// Counts the messages its WindowProc sees.
class CountingLocalizationInfo : public JLocalizationInfo {
public:
    std::vector<UINT> seen;
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        return JLocalizationInfo::WindowProc(hWnd, message, wParam, lParam);
    }
};

TEST(LocalizationLanguages, ChineseJapaneseAndKoreanAreIdeographicAndTheThreadTakesTheKeyboardsLanguage)
{
    for (LANGID language : {0x0404, 0x0411, 0x0412, 0x0804, 0x0C04, 0x1004, 0x0004})
        EXPECT_TRUE(JLocalizationInfo::IsIdeoGraphicLanguage(language)) << std::hex << language;
    for (LANGID language : {0x0409, 0x0407, 0x0419, 0x042A, 0x0000, 0x0010})
        EXPECT_FALSE(JLocalizationInfo::IsIdeoGraphicLanguage(language)) << std::hex << language;
    const LCID old = ::GetThreadLocale();
    ::SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    EXPECT_TRUE(JLocalizationInfo::SetThreadLocaleToKeyBoardLocale());
    const LANGID keyboard = LOWORD(reinterpret_cast<ULONG_PTR>(::GetKeyboardLayout(0)));
    EXPECT_EQ(keyboard, LANGIDFROMLCID(::GetThreadLocale()));
    ::SetThreadLocale(old);
}

TEST(LocalizationFonts, TheDefaultFontIsANewCopyOfTheStockGuiFontAndItsNameLeavesTheDcAsItWas)
{
    LOGFONTA stock{};
    ASSERT_NE(0, ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock));
    std::unique_ptr<CFont> pFont(JLocalizationInfo::GetDefaultFont());
    ASSERT_NE(nullptr, pFont);
    EXPECT_NE(::GetStockObject(DEFAULT_GUI_FONT), pFont->m_hObject) << "the caller owns a font of its own";
    LOGFONTA made{};
    ASSERT_NE(0, pFont->GetLogFont(&made));
    EXPECT_EQ(stock.lfHeight, made.lfHeight);
    EXPECT_EQ(stock.lfWeight, made.lfWeight);
    EXPECT_EQ(stock.lfCharSet, made.lfCharSet);
    EXPECT_STREQ(stock.lfFaceName, made.lfFaceName);
    // The name is what a DC makes of the stock font, read independently.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HGDIOBJ hOriginal = dc.SelectStockObject(DEFAULT_GUI_FONT);
    char expected[LF_FACESIZE] = "";
    ASSERT_NE(0, ::GetTextFaceA(dc, sizeof expected, expected));
    CFont courier;
    ASSERT_TRUE(courier.CreatePointFont(100, "Courier New"));
    dc.SelectObject(&courier);
    EXPECT_EQ(GUserText(expected), JLocalizationInfo::GetDefaultFontName(&dc));
    EXPECT_EQ(courier.m_hObject, ::GetCurrentObject(dc, OBJ_FONT)) << "the DC's font is restored";
    dc.SelectObject(hOriginal);
    EXPECT_EQ(GUserText(expected), JLocalizationInfo::GetDefaultFontName(nullptr)) << "the screen's DC";
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The host application object's main window, for composition messages without a window.
class FakeMainWindowHost : public testing_support::FakeComObject<IJAppMainWindow, IID_IJAppMainWindow> {
public:
    HWND hWnd = nullptr;
    int asked = 0;
    HRESULT STDMETHODCALLTYPE GetMainWindow(HWND* phWnd) override
    {
        ++asked;
        *phWnd = hWnd;
        return hWnd ? S_OK : E_FAIL;
    }
};
#pragma GCC diagnostic pop

using LocalizationTest = TwoRecordingWindows;

TEST_F(LocalizationTest, ACompositionWithoutResultIsPassedOnUntouchedAndOneWithoutWindowAsksTheHost)
{
    CountingLocalizationInfo info;
    ASSERT_TRUE(info.AttachWinProc(m_window.m_hWnd));
    EXPECT_EQ(m_window.m_hWnd, JDLLHook::FindHWnd(WH_CALLWNDPROC));

    EXPECT_EQ(0, ::SendMessageA(m_window, WM_IME_COMPOSITION, 0x3042, kCompositionOnly));
    EXPECT_EQ((std::vector<RecordedMessage>{{WM_IME_COMPOSITION, 0x3042, kCompositionOnly}}), m_window.received);
    EXPECT_EQ(std::vector<UINT>{WM_IME_COMPOSITION}, info.seen) << "the hook showed it to WindowProc";
    EXPECT_EQ(0, info.WindowProc(m_window, WM_IME_COMPOSITION, 0x3042, kCompositionOnly));
    EXPECT_EQ(0, info.ProcessIMECompositionMsg(m_window, WM_IME_COMPOSITION, 0x3042, kCompositionOnly));
    // A result flag without a composition result sends nothing either.
    m_window.received.clear();
    EXPECT_EQ(0, info.ProcessIMECompositionMsg(m_window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR));
    ::SendMessageA(m_window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    EXPECT_EQ((std::vector<RecordedMessage>{{WM_IME_COMPOSITION, 0, GCS_RESULTSTR}}), m_window.received);
    // A composition without a window asks the host, and gives the object back.
    m_window.received.clear();
    JLocalizationInfo plain;
    EXPECT_EQ(0, plain.ProcessIMECompositionMsg(nullptr, WM_IME_COMPOSITION, 0, GCS_RESULTSTR)) << "no host";

    FakeMainWindowHost host;
    host.hWnd = m_window.m_hWnd;
    AppCoreSetApplicationObject(&host);
    const LONG held = host.refs;
    EXPECT_EQ(0, plain.ProcessIMECompositionMsg(nullptr, WM_IME_COMPOSITION, 0, GCS_RESULTSTR)) << "nothing composed";
    EXPECT_EQ(1, host.asked);
    EXPECT_EQ(held, host.refs);
    EXPECT_EQ(0, plain.ProcessIMECompositionMsg(nullptr, WM_IME_COMPOSITION, 0, kCompositionOnly));
    EXPECT_EQ(1, host.asked) << "without a result there is nothing to ask for";
    AppCoreSetApplicationObject(nullptr);
    EXPECT_TRUE(m_window.received.empty());
}

TEST_F(LocalizationTest, EachAttachedWindowsMessagesReachItsOwnWindowProc)
{
    CountingLocalizationInfo first, second;
    ASSERT_TRUE(first.AttachWinProc(m_window.m_hWnd));
    ASSERT_TRUE(second.AttachWinProc(m_other.m_hWnd));
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    ::SendMessageA(m_window, WM_IME_NOTIFY, IMN_OPENSTATUSWINDOW, 0);
    ::SendMessageA(m_other, WM_IME_STARTCOMPOSITION, 0, 0);
    EXPECT_EQ(std::vector<UINT>{WM_IME_NOTIFY}, first.seen);
    EXPECT_EQ(std::vector<UINT>{WM_IME_STARTCOMPOSITION}, second.seen);
    // Attaching again moves the use; it is not counted twice.
    ASSERT_TRUE(first.AttachWinProc(m_other.m_hWnd));
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    // A copy watches the same window with a use of its own, and goes without taking the hook along.
    {
        CountingLocalizationInfo copy;
        copy = second;
        EXPECT_EQ(3, JDLLHook::GetUseCount(WH_CALLWNDPROC));
    }
    EXPECT_EQ(2, JDLLHook::GetUseCount(WH_CALLWNDPROC));
}

TEST_F(LocalizationTest, TheHookGoesWithTheLastInfoAndADestroyedWindowIsForgotten)
{
    auto pInfo = std::make_unique<CountingLocalizationInfo>();
    RecordingWindow doomed;
    ASSERT_TRUE(doomed.CreateTopLevel(40, 200));
    ASSERT_TRUE(pInfo->AttachWinProc(doomed.m_hWnd));
    doomed.DestroyWindow();
    pInfo->seen.clear();
    ::SendMessageA(m_window, WM_IME_NOTIFY, IMN_OPENSTATUSWINDOW, 0);
    EXPECT_TRUE(pInfo->seen.empty());
    EXPECT_NE(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC));
    pInfo.reset();
    EXPECT_EQ(nullptr, JDLLHook::FindHook(WH_CALLWNDPROC));
}

TEST_F(LocalizationTest, OnlyInputMethodMessagesAreHandledNoneIsSentTwiceAndAFullCompositionIsPlacedAgain)
{
    JLocalizationInfo info;
    EXPECT_NE(0, JLocalizationInfo::ImmIsUIMessageA(nullptr, WM_IME_COMPOSITION, 0, 0));
    EXPECT_NE(0, JLocalizationInfo::ImmIsUIMessageA(nullptr, WM_IME_SETCONTEXT, 0, 0));
    EXPECT_EQ(0, JLocalizationInfo::ImmIsUIMessageA(nullptr, WM_PAINT, 0, 0));
    EXPECT_EQ(0, JLocalizationInfo::ImmIsUIMessageA(nullptr, WM_CHAR, 'a', 0));

    EXPECT_EQ(0, info.WindowProc(m_window, WM_CHAR, 'a', 0));
    EXPECT_EQ(0, info.WindowProc(m_window, WM_IME_SETCONTEXT, TRUE, ISC_SHOWUIALL));
    EXPECT_EQ(0, info.WindowProc(m_window, WM_IME_NOTIFY, IMN_OPENSTATUSWINDOW, 0));
    EXPECT_TRUE(m_window.received.empty()) << "classifying a message must not send it to the window";
    // A full composition window is placed by the input method again.
    m_window.imeControlAnswer = 1234;
    m_window.lastCompositionForm.dwStyle = CFS_POINT;
    EXPECT_EQ(1234, info.WindowProc(m_window, WM_IME_COMPOSITIONFULL, 0, 0));
    const std::vector<RecordedMessage> controls = m_window.Received(WM_IME_CONTROL);
    ASSERT_EQ(1u, controls.size());
    EXPECT_EQ((WPARAM)IMC_SETCOMPOSITIONWINDOW, controls[0].wParam);
    EXPECT_EQ((DWORD)CFS_DEFAULT, m_window.lastCompositionForm.dwStyle);
    EXPECT_EQ(0, m_window.lastCompositionForm.ptCurrentPos.x);
}

TEST_F(LocalizationTest, InputContextsAreAssociatedAndZeroMeansTheCurrentOne)
{
    const auto pfnAssociate = SystemImm<HIMC(WINAPI*)(HWND, HIMC)>("ImmAssociateContext");
    ASSERT_NE(nullptr, pfnAssociate);
    const HIMC hOriginal = ContextOf(m_window);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(hOriginal), JLocalizationInfo::AssociateContext(m_window, nullptr));
    EXPECT_EQ(hOriginal, ContextOf(m_window)) << "zero keeps the window's current context";
    if (!hOriginal) {
        // Wine's null driver opens no context, though the window has one associated: zero
        // must not take that away (associating NULL would report it as the previous one).
        const HIMC hKept = pfnAssociate(m_window, nullptr);
        EXPECT_NE(nullptr, hKept) << "the window still had its context";
        pfnAssociate(m_window, hKept);
        return;
    }

    pfnAssociate(m_window, nullptr);
    EXPECT_EQ(0u, JLocalizationInfo::AssociateContext(m_window, nullptr)) << "zero keeps it without one";
    EXPECT_EQ(nullptr, ContextOf(m_window));
    EXPECT_EQ(0u, JLocalizationInfo::AssociateContext(m_window, hOriginal));
    EXPECT_EQ(hOriginal, ContextOf(m_window));
}

TEST_F(LocalizationTest, WithoutTheInputMethodLibraryEverythingAnswersZeroAndNothingChanges)
{
    const HIMC hBefore = ContextOf(m_window);
    CountingLocalizationInfo info;
    ASSERT_TRUE(info.AttachWinProc(m_window.m_hWnd));
    {
        InputMethodModuleScope missing("control-missing-imm.dll");
        ASSERT_FALSE(ImmLibrary());
        EXPECT_EQ(nullptr, JLocalizationInfo::GetIMEFont(m_window));
        EXPECT_EQ(0u, JLocalizationInfo::AssociateContext(m_window, nullptr));
        EXPECT_EQ(0u, JLocalizationInfo::AssociateContext(m_window, reinterpret_cast<HIMC>(0x1234)));
        EXPECT_EQ(0, JLocalizationInfo::ImmIsUIMessageA(nullptr, WM_IME_COMPOSITION, 0, 0));
        EXPECT_EQ(0, info.WindowProc(m_window, WM_IME_COMPOSITIONFULL, 0, 0));
        EXPECT_EQ(0, info.WindowProc(m_window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR));
        EXPECT_EQ(0, info.ProcessIMECompositionMsg(m_window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR));
        ::SendMessageA(m_window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
        EXPECT_EQ((std::vector<RecordedMessage>{{WM_IME_COMPOSITION, 0, GCS_RESULTSTR}}), m_window.received);
        // What needs no input method works on.
        std::unique_ptr<CFont> pFont(JLocalizationInfo::GetDefaultFont());
        EXPECT_NE(nullptr, pFont);
    }
    EXPECT_EQ(hBefore, ContextOf(m_window));
    EXPECT_TRUE(ImmLibrary()) << "the real library is used again";
}

// planted.dll as imm32.dll and as a name only it has, in the working directory and on PATH.
TEST_F(LocalizationTest, AnInputMethodLibraryPlantedInTheWorkingDirectoryIsNeverLoaded)
{
    {
        testing_support::PlantedModules plant("units-planted", {"imm32.dll", "control-probe-imm.dll"});
        ASSERT_TRUE(plant.planted());
        JLocalizationInfo info;
        info.AttachWinProc(m_window.m_hWnd);
        {
            InputMethodModuleScope onlyPlanted("control-probe-imm.dll");
            EXPECT_EQ(nullptr, JLocalizationInfo::GetIMEFont(m_window));
            EXPECT_EQ(0, JLocalizationInfo::ImmIsUIMessageA(nullptr, WM_IME_COMPOSITION, 0, 0));
        }
        std::unique_ptr<CFont>(JLocalizationInfo::GetIMEFont(m_window));
        JLocalizationInfo::AssociateContext(m_window, nullptr);
        ::SendMessageA(m_window, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
        wchar_t buffer[8];
        EXPECT_EQ(0, GetIMEComposedString(m_window, buffer, 8));
    }
    EXPECT_FALSE(testing_support::PlantedModules::AnyLoaded()) << "a planted module was loaded";
}

}   // namespace
