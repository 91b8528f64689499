// The button picture dialog: where it opens, picking a picture with the real
// mouse, and pictures loaded from files (damaged ones refused with a word).
#include "buttons_fixture.h"
#include "cntlrc.h"
#include "regfile.h"

using namespace buttons_test;
using testing_support::ScriptedInput;

namespace {

const char kTitle[] = "Button Picture";

HWND PictureDialog()
{
    return testing_support::FindDialogWindow(kTitle);
}

// Presses a button of the picture dialog once it shows.
bool Press(int nID)
{
    const HWND hDlg = PictureDialog();
    if (hDlg)
        ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nID));
    return hDlg != nullptr;
}

// Puts a path in the open-file dialog's name box and accepts it.
bool AcceptFile(const CString& path)
{
    const HWND hDlg = testing_support::FindDialogWindow("Load Button Picture");
    HWND hName = hDlg ? ::GetDlgItem(hDlg, 0x47c) : nullptr;   // the explorer-style name box
    if (hDlg && !hName)
        hName = ::GetDlgItem(hDlg, 0x480);
    if (!hName)
        return false;
    ::SetWindowTextA(hName, path);
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    return true;
}

// The palette of the dialog that shows.
JCustomButtonsToolbar* PaletteOf(HWND hDlg)
{
    auto* pDlg = DYNAMIC_DOWNCAST(JCustomButtonsDlg, CWnd::FromHandlePermanent(hDlg));
    return pDlg ? pDlg->GetPalette() : nullptr;
}

COLORREF CenterOf(HBITMAP hBitmap)
{
    BITMAP bm{};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    return image_test::PixelOf(hBitmap, bm.bmWidth / 2, bm.bmHeight / 2);
}

class PictureDialogTest : public ButtonsHost {};

TEST_F(PictureDialogTest, OpensBelowItsAnchorOrAboveItAtTheScreenBottomAndStaysOnTheScreen)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    const struct {
        CRect anchor;
        bool below;
    } cases[] = {{CRect(100, 100, 123, 122), true},
                 {CRect(100, cy - 30, 123, cy - 8), false},
                 {CRect(cx - 10, 200, cx + 13, 222), true}};
    for (const auto& c : cases) {
        JCustomButtonsDlg dialog(c.anchor.left, c.anchor.top, c.anchor.right, c.anchor.bottom, &m_frame);
        CRect placed;
        ScriptedInput script;
        script.WaitFor(PictureDialog, "picture dialog").Then([&] {
            ::GetWindowRect(PictureDialog(), &placed);
            return Press(IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        if (c.below)
            EXPECT_EQ(c.anchor.bottom, placed.top) << c.anchor.top;
        else
            EXPECT_EQ(c.anchor.top, placed.bottom);
        EXPECT_LE(placed.right, cx);
        EXPECT_EQ(std::min<int>(c.anchor.left, cx - placed.Width()), placed.left);
        EXPECT_EQ(nullptr, dialog.GetBitmap()) << "Cancel leaves no picture";
    }
}

TEST_F(PictureDialogTest, AClickPicksAPictureAndOkHandsOverACopyOfIt)
{
    // A picture already on a toolbar's button is offered after the library's twelve.
    toolbar_test::ProbeToolBar* pBar = MakeToolBar({toolbar_test::kOpen});
    pBar->SetPicture(0, image_test::MakeDib(16, 15, 24, RGB(0, 0, 250)));
    JCustomButtonsDlg dialog(100, 100, 123, 122, &m_frame);
    int pictures = 0;
    ScriptedInput script;
    script.WaitFor(PictureDialog, "picture dialog")
        .Then([&] {
            JCustomButtonsToolbar* pPalette = PaletteOf(PictureDialog());
            pictures = pPalette ? pPalette->GetPictureCount() : -1;
            testing_support::ClickAt(ScreenCenter(pPalette, 0));   // the red disc
            return true;
        })
        .Then([&] { return PaletteOf(PictureDialog())->m_nSelected == 0; }, "picked")
        .Then([&] { return Press(IDOK); });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(13, pictures);
    HBITMAP hPicture = dialog.GetBitmap();
    ASSERT_NE(nullptr, hPicture);
    BITMAP bm{};
    ::GetObjectA(hPicture, sizeof bm, &bm);
    EXPECT_EQ(16, bm.bmWidth);
    EXPECT_EQ(15, bm.bmHeight);
    EXPECT_EQ(RGB(200, 0, 0), CenterOf(hPicture));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF, image_test::PixelOf(hPicture, 0, 0)) << "the face, not magenta";
    HBITMAP hMine = dialog.DetachBitmap();
    EXPECT_EQ(nullptr, dialog.GetBitmap());
    ::DeleteObject(hMine);
}

TEST_F(PictureDialogTest, ADoubleClickTakesThePictureAndOkWithoutOneGivesNone)
{
    {
        JCustomButtonsDlg dialog(100, 100, 123, 122, &m_frame);
        ScriptedInput script;
        CPoint at;
        script.WaitFor(PictureDialog, "picture dialog")
            .Then([&] {
                at = ScreenCenter(PaletteOf(PictureDialog()), 1);   // the green square
                testing_support::ClickAt(at);
                return true;
            })
            .Then([&] { return PaletteOf(PictureDialog())->m_nSelected == 1; }, "picked")
            .Then([&] {
                testing_support::ClickAt(at);   // the second click of a double click
                return true;
            });
        ASSERT_EQ(IDOK, dialog.DoModal());
        ASSERT_NE(nullptr, dialog.GetBitmap());
        EXPECT_EQ(RGB(0, 150, 0), CenterOf(dialog.GetBitmap()));
    }
    {
        JCustomButtonsDlg dialog(100, 100, 123, 122, &m_frame);
        ScriptedInput script;
        script.WaitFor(PictureDialog, "picture dialog").Then([] { return Press(IDOK); });
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_EQ(nullptr, dialog.GetBitmap());
    }
}

TEST_F(PictureDialogTest, BrowseLoadsAPictureFileAndRefusesADamagedOneWithAMessage)
{
    const CString folder = testing_support::TestDataFolder() + "custbmps\\";
    JCustomButtonsDlg dialog(100, 100, 123, 122, &m_frame);
    CString told;
    ScriptedInput script(ScriptedInput::Runner::kTestThreadTimer, 20000);
    script.WaitFor(PictureDialog, "picture dialog")
        .Then([] { return Press(IDC_CUSTOM_BUTTONS_BROWSE); })
        .Then([&] { return AcceptFile(folder + "huge_30000x30000.bmp"); }, "damaged file")
        .WaitFor(testing_support::FindMessageBox, "refusal")
        .Then([&] {
            told = testing_support::GetMessageBoxText(testing_support::FindMessageBox());
            return true;
        })
        .PressDialogButton(testing_support::FindMessageBox, IDOK)
        .Then([] { return PictureDialog() && !testing_support::FindMessageBox(); }, "back to the dialog")
        .Then([] { return Press(IDC_CUSTOM_BUTTONS_BROWSE); })
        .Then([&] { return AcceptFile(folder + "good_24bit.bmp"); }, "good file");
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_NE(-1, told.Find("cannot be read as a picture"));
    HBITMAP hPicture = dialog.GetBitmap();
    ASSERT_NE(nullptr, hPicture);
    HBITMAP hFile = (HBITMAP)::LoadImageA(nullptr, folder + "good_24bit.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ASSERT_NE(nullptr, hFile);
    BITMAP bmFile{}, bm{};
    ::GetObjectA(hFile, sizeof bmFile, &bmFile);
    ::GetObjectA(hPicture, sizeof bm, &bm);
    EXPECT_EQ(bmFile.bmWidth, bm.bmWidth);
    EXPECT_EQ(bmFile.bmHeight, bm.bmHeight);
    EXPECT_EQ(CenterOf(hFile), CenterOf(hPicture));
    ::DeleteObject(hFile);
}

}   // namespace
