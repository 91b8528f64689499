// The colour picker: its palette growing for colours stored in the registry and in the
// document, damaged stored lists, a new colour through the more-colours button stored in
// both places, picks and cancels in its pop-up under real input, and the template-made
// "JColorComboBox".
#include "buttons_fixture.h"

#include "controlexports.h"
#include "jcolorpicker.h"
#include "jenvmanager.h"
#include "jcontrolinfo.h"
#include "regfile.h"
#include "tspref.h"

#include "../control/fake_host.h"

#include <string>

using namespace buttons_test;
using testing_support::ScriptedInput;

namespace {

// A document storage in memory: what the host's active document would hand the picker.
IStorage* NewDocument()
{
    ILockBytes* pBytes = nullptr;
    IStorage* pStorage = nullptr;
    if (FAILED(::CreateILockBytesOnHGlobal(nullptr, TRUE, &pBytes)))
        return nullptr;
    ::StgCreateDocfileOnILockBytes(pBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &pStorage);
    pBytes->Release();
    return pStorage;
}

CString Entry(LPCSTR kind, int n)
{
    CString name;
    name.Format("%s%02d: ", kind, n);
    return name;
}

}   // namespace

class ColorPickerTest : public ButtonsTest {
protected:
    void SetUp() override
    {
        ButtonsTest::SetUp();
        JCreateEnvironmentManager(m_key.path(), 1, 1, 1, 1, 1, 1, 1, 1);
        ASSERT_NE(nullptr, JEnvironmentManager::Current());
        root = JEnvironmentManager::Current()->GetRegistryNameWithEnv().Text();
        document = NewDocument();
        ASSERT_NE(nullptr, document);
    }
    void TearDown() override
    {
        picker.reset();
        if (document)
            document->Release();
        ButtonsTest::TearDown();
    }
    CString PickerKey() const { return root + "\\CustomColors\\ColorPicker"; }
    void StoreInRegistry(const std::vector<COLORREF>& colors)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, PickerKey(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, &hKey, nullptr));
        for (size_t n = 0; n < colors.size(); ++n)
            ::RegSetValueExA(hKey, Entry("Color", (int)n), 0, REG_DWORD, (const BYTE*)&colors[n], 4);
        const DWORD count = (DWORD)colors.size();
        ::RegSetValueExA(hKey, "Number", 0, REG_DWORD, (const BYTE*)&count, 4);
        ::RegCloseKey(hKey);
    }
    void StoreInDocument(const std::vector<COLORREF>& colors)
    {
        TsPrefHelper prefs;
        ASSERT_EQ(S_OK, prefs.InitStorageAssociation(document));
        for (size_t n = 0; n < colors.size(); ++n)
            prefs.SetPrefLong(CString("ColorPicker_") + Entry("Color", (int)n), (long)colors[n]);
        prefs.SetPrefInteger("ColorPicker_Number", (int)colors.size());
    }
    void MakePicker(DWORD style = JCP_MORECOLORS)
    {
        picker = std::make_unique<JColorPicker>();
        picker->SetColorPickerName(nullptr);
        picker->SetDocument(document);
        ASSERT_TRUE(picker->Create(&owner, 0, 0, style, 555));
    }
    int Reference(COLORREF color)
    {
        const int index = picker->FindColorIndex(color);
        return index < 0 ? -1 : picker->GetButton(index)->reference;
    }

    testing_support::ScopedTestKey m_key;
    CString root;
    IStorage* document = nullptr;
    std::unique_ptr<JColorPicker> picker;
};

// Stored colours make the palette grow: rows first, then columns once it would reach
// 16 rows; every stored colour gets a well, marked with where it came from.
TEST_F(ColorPickerTest, PaletteGrowsForStoredColors)
{
    struct Row {
        int registry, document, shared;   // shared: document colours also in the registry list
        int columns, wells;
    };
    const Row table[] = {{0, 0, 0, 6, 30}, {20, 0, 0, 6, 48}, {10, 10, 2, 6, 48}, {100, 0, 0, 9, 135}};
    for (const Row& row : table) {
        SCOPED_TRACE(::testing::Message() << row.registry << " + " << row.document);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, PickerKey());
        document->Release();
        document = NewDocument();
        std::vector<COLORREF> stored, inDocument;
        for (int i = 0; i < row.registry; ++i)
            stored.push_back(0x100000 + i);
        for (int i = 0; i < row.document; ++i)
            inDocument.push_back(i < row.shared ? stored[i] : 0x200000 + i);
        StoreInRegistry(stored);
        StoreInDocument(inDocument);
        MakePicker();
        EXPECT_EQ(row.columns, picker->GetColumns());
        EXPECT_EQ(row.wells, picker->GetWellCount());
        EXPECT_EQ(row.wells - 1, picker->GetLastCustomIndex());
        EXPECT_EQ(JCP_COLOR_SPECIAL, picker->GetButton(picker->GetLastCustomIndex())->color);
        for (COLORREF color : stored)
            EXPECT_EQ(COLORREF_REGISTRY, Reference(color)) << std::hex << color;
        for (int i = row.shared; i < row.document; ++i)
            EXPECT_EQ(COLORREF_DOCUMENT, Reference(inDocument[i])) << std::hex << inDocument[i];
        // 19-pixel wells 1 apart inside 2-pixel margins, and the more-colours row 5 below.
        const int rows = row.wells / row.columns;
        const int textRow = picker->GetButton(picker->GetButtonCount() - 1)->rect.Height() - 2;
        EXPECT_EQ(CSize(20 * row.columns + 3, 20 * rows + 3 + 5 + textRow), picker->CalcFixedLayout());
        picker.reset();
    }
}

// The longest stored list still gives a pop-up that fits the work area, with a well on it
// for every colour.
TEST_F(ColorPickerTest, LongestListFitsTheWorkArea)
{
    std::vector<COLORREF> stored;
    for (int i = 0; i < 1024; ++i)
        stored.push_back(0x100000 + i);
    StoreInRegistry(stored);
    MakePicker(JCP_MORECOLORS | JCP_PREVIEW);
    CRect work, window, client;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    picker->GetWindowRect(window);
    picker->GetClientRect(client);
    EXPECT_LE(window.Width(), work.Width());
    EXPECT_LE(window.Height(), work.Height());
    for (int i = 0; i < picker->GetButtonCount(); ++i) {
        const CRect rect = picker->GetButton(i)->rect;
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom) << i;
    }
    EXPECT_GE(picker->FindColorIndex(stored.front()), 18);
    EXPECT_GE(picker->FindColorIndex(stored.back()), 18);
}

TEST_F(ColorPickerTest, DamagedStoredListsGiveSoundWells)
{
    const std::vector<CString> files = testing_support::RegFilesIn("customcolors");
    ASSERT_GE(files.size(), 5u);
    for (const CString& file : files) {
        SCOPED_TRACE((LPCSTR)file);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, PickerKey());
        std::string error;
        ASSERT_TRUE(testing_support::ImportRegFile(file, root, error)) << error;
        MakePicker();
        EXPECT_GE(picker->FindColorIndex(0x123456), picker->FirstCustomIndex());
        EXPECT_TRUE(picker->GetColumns() >= 1 && picker->GetColumns() <= 64);
        EXPECT_LE(picker->GetWellCount(), 18 + 1024 + 64);
        for (int i = 0; i < picker->GetButtonCount(); ++i) {
            const COLOR_INFO* pInfo = picker->GetButton(i);
            if (pInfo->reference <= COLORREF_PICKED) {
                EXPECT_TRUE(pInfo->color <= 0xFFFFFF || pInfo->color == JCP_COLOR_SPECIAL) << i;
            }
        }
        picker.reset();
    }
}

// A colour equal to a standard one, chosen through the more-colours button, is a new
// custom colour: named in the name dialog, stored in the registry and in the document.
TEST_F(ColorPickerTest, NewColorIsStoredInBothPlaces)
{
    MakePicker();
    const int red = 6;   // the standard red well
    picker->SetCurrentColor(0x0000FF);
    ASSERT_EQ(red, picker->GetCurSel());
    // The pick of the more-colours button: pressed over it and released.
    CRect more = picker->GetButton(picker->GetButtonCount() - 1)->rect;
    picker->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(more.CenterPoint().x, more.CenterPoint().y));
    ScriptedInput script;
    script.PressDialogButton([] { return testing_support::FindDialogWindow("Color"); }, IDOK);
    script.Then([] {
        HWND hName = testing_support::FindDialogWindow("Color Name");
        if (!hName)
            return false;
        ::SetDlgItemTextA(hName, 1015, "Signal red");
        ::PostMessageA(hName, WM_COMMAND, IDOK, 0);
        return true;
    });
    CString name;
    EXPECT_EQ(0x0000FFu, picker->GetCurrentColor(&name));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString("Signal red"), name);
    EXPECT_EQ(COLORREF_PICKED, Reference(0x0000FF));
    EXPECT_EQ(18, picker->FindColorIndex(0x0000FF));

    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, PickerKey(), 0, KEY_READ, &hKey));
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "Number", nullptr, nullptr, (BYTE*)&value, &size));
    EXPECT_EQ(1u, value);
    size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "Color00: ", nullptr, nullptr, (BYTE*)&value, &size));
    EXPECT_EQ(0x0000FFu, value);
    char text[64] = "";
    size = sizeof text;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "String00: ", nullptr, nullptr, (BYTE*)text, &size));
    EXPECT_STREQ("Signal red", text);
    ::RegCloseKey(hKey);

    TsPrefHelper prefs;
    ASSERT_EQ(S_OK, prefs.InitStorageAssociation(document));
    int number = 0;
    long color = 0;
    EXPECT_EQ(S_OK, prefs.GetPrefInteger("ColorPicker_Number", &number));
    EXPECT_EQ(1, number);
    EXPECT_EQ(S_OK, prefs.GetPrefLong("ColorPicker_Color00: ", &color));
    EXPECT_EQ(0x0000FFL, color);
}

// The first run, before any environment was stored, keeps its colours where the runs after
// it look: under the environment's key. A list an older build kept under the host's
// settings key is moved there once.
TEST_F(ColorPickerTest, CustomColorsKeepOneKeyFromTheFirstRunOn)
{
    FakeAppInfo app;
    app.basePath = std::string(root) + "\\Host";
    app.registryName = app.basePath + "\\Settings";
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    pInfo->m_pAppInfo = &app;
    pInfo->SetCustomUserKey("");   // no environment stored yet
    pInfo->SetCustomEnvironment("Drafting");
    const CString environmentKey = CString(app.basePath.c_str()) + "\\Environments\\Drafting\\CustomColors";
    root = app.registryName.c_str();
    StoreInRegistry({0x123456});
    const CString formerKey = PickerKey();
    char name[1024] = "";

    MakePicker();
    picker->GetRegistryName(name, sizeof name);
    EXPECT_STREQ(environmentKey, name);
    EXPECT_GE(picker->FindColorIndex(0x123456), 18);
    picker->SetCurrentColor(0x654321);
    picker.reset();
    HKEY hKey = nullptr;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, formerKey, 0, KEY_READ, &hKey));

    // A later run: the environment is read back from its key.
    pInfo->SetCustomUserKey(CString(app.basePath.c_str()) + "\\Environments");
    MakePicker();
    picker->GetRegistryName(name, sizeof name);
    EXPECT_STREQ(environmentKey, name);
    EXPECT_GE(picker->FindColorIndex(0x123456), 18);
    EXPECT_GE(picker->FindColorIndex(0x654321), 18);
    picker.reset();
    pInfo->m_pAppInfo = nullptr;
}

namespace {

struct PopupCase {
    const char* name;
    std::vector<WORD> keys;   // pressed in the pop-up; none: a click on well 8
    bool destroyButton;
    std::vector<Heard> heard;
    int selection;
};
void PrintTo(const PopupCase& c, std::ostream* out)
{
    *out << c.name;
}

}   // namespace

class ColorPopup : public ColorPickerTest, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(ColorPopup, PicksAndCancels)
{
    const PopupCase& c = GetParam();
    MakePicker(0);
    picker->SetCurrentColor(0x000000);   // well 0
    JButton button;
    ASSERT_TRUE(button.Create(&owner, CRect(10, 10, 50, 40), WS_VISIBLE | JBS_DROPDOWN, 101));
    owner.recorded = {WM_COMMAND};
    ScriptedInput script;
    script.Then([&] { return picker->IsWindowVisible() != FALSE; }, "shown");
    if (c.destroyButton)
        script.Then([&] {
            button.DestroyWindow();
            return true;
        });
    else if (c.keys.empty())
        script.Then([&] {
            const CRect well = picker->GetButton(8)->rect;
            testing_support::ClickAt(ScreenPoint(picker.get(), well.CenterPoint()));
            return true;
        });
    for (WORD key : c.keys)
        script.Then([key] {
            testing_support::PressKey(key);
            return true;
        });
    EXPECT_GE(picker->ShowDropDown(&button), 0);
    while (!script.Done() && !script.TimedOut())
        testing_support::PumpMessages();
    testing_support::PumpMessages();
    EXPECT_FALSE(picker->IsWindowVisible());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(c.heard, owner.heard);
    EXPECT_EQ(c.selection, picker->GetCurSel());
}

INSTANTIATE_TEST_SUITE_P(
    Acts, ColorPopup,
    ::testing::Values(
        PopupCase{"mouse", {}, false, {{WM_COMMAND, MAKEWPARAM(555, 1)}}, 8},
        PopupCase{"rightRightEnter", {VK_RIGHT, VK_RIGHT, VK_RETURN}, false, {{WM_COMMAND, MAKEWPARAM(555, 1)}}, 2},
        PopupCase{"downEnter", {VK_DOWN, VK_RETURN}, false, {{WM_COMMAND, MAKEWPARAM(555, 1)}}, 6},
        PopupCase{"escape", {VK_RIGHT, VK_ESCAPE}, false, {}, 0}, PopupCase{"buttonGone", {}, true, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The selected well's rings lie over its neighbours' edges and stay whole on the right and
// below, where the next wells are drawn.
TEST_F(ColorPickerTest, SelectionRingsStayWhole)
{
    MakePicker();
    picker->SetCurrentColor(0x0000FF);   // well 6, the first of the second row
    const CRect well = picker->GetButton(6)->rect;
    CRect client;
    picker->GetClientRect(client);
    testing_support::MemoryCanvas canvas(client.Width(), client.Height());
    picker->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    const COLORREF ring = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(ring, canvas.Pixel(well.right, well.CenterPoint().y));
    EXPECT_EQ(ring, canvas.Pixel(well.CenterPoint().x, well.bottom));
    EXPECT_EQ(ring, canvas.Pixel(well.left - 1, well.CenterPoint().y));
}

// Picking "More Colors..." in the pop-up hides it before the colour dialog comes up; a
// cancelled dialog leaves it closed, its loop ended and the old colour current.
TEST_F(ColorPickerTest, PopupGivesWayToTheColorDialog)
{
    MakePicker();
    picker->SetCurrentColor(0x0000FF);
    JButton button;
    ASSERT_TRUE(button.Create(&owner, CRect(10, 10, 50, 40), WS_VISIBLE | JBS_DROPDOWN, 101));
    COLORREF picked = 0;
    owner.onCommand = [&](WPARAM) { picked = picker->GetCurrentColor(); };
    bool hiddenUnderDialog = false;
    ScriptedInput script;
    script.Then([&] { return picker->IsWindowVisible() != FALSE; }, "shown");
    script.Then([] {
        testing_support::PressKey(VK_END);   // the more-colours button
        testing_support::PressKey(VK_RETURN);
        return true;
    });
    script.Then([&] {
        HWND hDialog = testing_support::FindDialogWindow("Color");
        if (!hDialog)
            return false;
        hiddenUnderDialog = !picker->IsWindowVisible();
        ::PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    }, "colour dialog");
    EXPECT_EQ(1, picker->ShowDropDown(&button));
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(hiddenUnderDialog);
    EXPECT_FALSE(picker->IsWindowVisible());
    EXPECT_EQ(0x0000FFu, picked);
    owner.onCommand = nullptr;
}

TEST_F(ColorPickerTest, TemplateComboGetsItsObjectAndColors)
{
    InitCustomControls();
    TemplateBuilder dialog({{L"JColorComboBox", L"", 301, CBS_DROPDOWNLIST | WS_VSCROLL, 4, 4, 120, 80}});
    HWND hDialog = ::CreateDialogIndirectParamA(nullptr, dialog.get(), owner.m_hWnd, nullptr, 0);
    ASSERT_NE(nullptr, hDialog);
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(hDialog, 301));
    ASSERT_TRUE(pWnd && pWnd->IsKindOf(RUNTIME_CLASS(JColorComboBox)));
    auto* pCombo = static_cast<JColorComboBox*>(pWnd);
    EXPECT_EQ(19, pCombo->GetCount());
    EXPECT_EQ(5, pCombo->SetCurrentColor(0x0000FF)) << "red is the sixth entry";
    EXPECT_EQ(0x0000FFu, pCombo->GetCurrentColor());
    EXPECT_EQ(19, pCombo->SetCurrentColor(0x123456)) << "an unknown colour is added";
    EXPECT_EQ(20, pCombo->SetCurrentColor(0x654321)) << "a second one too, under the same name";
    EXPECT_EQ(0x654321u, pCombo->GetCurrentColor());
    // The dropped list draws its items too (its parent passes the drawing on): a swatch of
    // the item's colour before the name.
    CWnd parent;
    ASSERT_TRUE(parent.SubclassWindow(hDialog));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(pCombo->m_hWnd, &info));
    pCombo->SetCurSel(1);
    pCombo->ShowDropDown(TRUE);
    CRect item;
    ASSERT_NE(LB_ERR, ::SendMessageA(info.hwndList, LB_GETITEMRECT, 1, (LPARAM)&item));
    CRect client;
    ::GetClientRect(info.hwndList, client);
    testing_support::MemoryCanvas canvas(client.Width(), client.Height());
    ::SendMessageA(info.hwndList, WM_PRINTCLIENT, (WPARAM)canvas.dc(), PRF_CLIENT);
    EXPECT_EQ(0xFF0000u, canvas.Pixel(item.left + item.Height() / 2, item.CenterPoint().y)) << "blue, the second entry";
    pCombo->ShowDropDown(FALSE);
    parent.DestroyWindow();
}
