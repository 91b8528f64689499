// Buttons with pictures of their own and macro buttons: the records in the
// toolbar's key, value by value, the picture files, and the faces after a reload.
#include "../control/fake_host.h"
#include "controlexports.h"
#include "regfile.h"
#include "storedvalues.h"
#include "toolbar_custombitmaps.h"
#include "toolbar_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include <objidl.h>
#include <propidl.h>

using namespace toolbar_test;
using namespace testing_support;

namespace {

const COLORREF kRed = RGB(200, 30, 30);

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<BYTE> BitsOf(HBITMAP hBitmap)
{
    BITMAP bm{};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    std::vector<BYTE> bits((size_t)bm.bmWidthBytes * (size_t)bm.bmHeight);
    bits.resize((size_t)std::max(0L, ::GetBitmapBits(hBitmap, (LONG)bits.size(), bits.data())));
    return bits;
}

// A symbol file as the drafting host writes one: a compound file whose icon
// property set holds a 32 x 32 and a 16 x 16 picture (CF_DIB clipboard data) of
// one colour on white, the transparent colour.
bool WriteSymbolFile(const std::string& path, COLORREF large, COLORREF small)
{
    std::wstring wide(path.begin(), path.end());
    IStorage* pStorage = nullptr;
    if (FAILED(::StgCreateDocfile(wide.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &pStorage)))
        return false;
    IPropertySetStorage* pSets = nullptr;
    IPropertyStorage* pProperties = nullptr;
    bool ok = SUCCEEDED(pStorage->QueryInterface(IID_IPropertySetStorage, reinterpret_cast<void**>(&pSets))) &&
              SUCCEEDED(pSets->Create(custom_bitmaps::kSymbolIconSet, nullptr, PROPSETFLAG_DEFAULT,
                                      STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, &pProperties));
    for (int side : {32, 16}) {
        const COLORREF color = side == 32 ? large : small;
        // A packed 24-bit DIB: white with a square of the colour inside a white border.
        const DWORD stride = (DWORD)side * 3;
        std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + stride * side);
        BITMAPINFOHEADER header{sizeof header, side, side, 1, 24, BI_RGB, stride * side, 0, 0, 0, 0};
        memcpy(dib.data(), &header, sizeof header);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const bool inside = x >= 2 && y >= 2 && x < side - 2 && y < side - 2;
                BYTE* p = &dib[sizeof header + y * stride + x * 3];
                p[0] = inside ? GetBValue(color) : 255;
                p[1] = inside ? GetGValue(color) : 255;
                p[2] = inside ? GetRValue(color) : 255;
            }
        CLIPDATA data{(ULONG)(sizeof(ULONG) + dib.size()), (long)CF_DIB, dib.data()};
        PROPSPEC spec{};
        spec.ulKind = PRSPEC_PROPID;
        spec.propid = side == 32 ? custom_bitmaps::kLargeSymbolIcon : custom_bitmaps::kSmallSymbolIcon;
        PROPVARIANT value{};
        value.vt = VT_CF;
        value.pclipdata = &data;
        ok = ok && SUCCEEDED(pProperties->WriteMultiple(1, &spec, &value, 2));
    }
    if (pProperties) {
        ok = ok && SUCCEEDED(pProperties->Commit(STGC_DEFAULT));
        pProperties->Release();
    }
    if (pSets)
        pSets->Release();
    ok = ok && SUCCEEDED(pStorage->Commit(STGC_DEFAULT));
    pStorage->Release();
    return ok;
}

class CustomBitmaps : public ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        m_hKey = CreateKey(m_key.path() + "\\Bar");
        char temp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "custbmps_test_" + std::to_string(::GetCurrentProcessId()) + "\\";
        custom_bitmaps::SetFolder(m_folder.c_str());
    }
    void TearDown() override
    {
        ::RegCloseKey(m_hKey);
        SetDynamicCommand(nullptr);
        custom_bitmaps::SetFolder(nullptr);
        ToolbarHost::TearDown();
        WIN32_FIND_DATAA found;
        HANDLE hFind = ::FindFirstFileA((m_folder + "*").c_str(), &found);
        for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found))
            ::DeleteFileA((m_folder + found.cFileName).c_str());
        if (hFind != INVALID_HANDLE_VALUE)
            ::FindClose(hFind);
        ::RemoveDirectoryA(m_folder.c_str());
    }
    // A 16 x 15 picture of one colour with a magenta corner, which stands for the face.
    static HBITMAP Picture(COLORREF color)
    {
        HBITMAP hBitmap = image_test::MakeDib(16, 15, 24, color);
        image_test::SetPixels(hBitmap, {{0, 0}}, kMagenta);
        return hBitmap;
    }
    ProbeToolBar* Reload(BOOL bExpected = TRUE)
    {
        ProbeToolBar* pBar = MakeToolBar({kGrey});
        EXPECT_EQ(bExpected, pBar->ReadFromRegistry(m_hKey));
        return pBar;
    }
    COLORREF ImageCorner(ProbeToolBar* pBar, int nImage)
    {
        return image_test::PixelOf(pBar->Strip(), nImage * pBar->GetSizeImage().cx, 0);
    }

    HKEY m_hKey = nullptr;
    std::string m_folder;
};

TEST_F(CustomBitmaps, PictureOnCommandKeepsItsICmdFileBesideTheProgramAndComesBackAfterReload)
{
    custom_bitmaps::SetFolder(nullptr);   // the folder beside the program
    const std::string file = ProgramFolder() + "\\CustBmps\\iCmd" + std::to_string(kSave) + ".tmp";
    ::DeleteFileA(file.c_str());
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    const COLORREF category = pBar->ImageCenter(1);
    HBITMAP hPicture = Picture(kRed);
    pBar->SetPicture(1, hPicture);
    ::DeleteObject(hPicture);   // the toolbar keeps a copy
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(kRed, pBar->ImageCenter(1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ImageCorner(pBar, 1));
    EXPECT_EQ(kSave, pBar->GetCustomBitmapByCommand(kSave)->m_nCommandID);
    EXPECT_EQ(nullptr, pBar->GetCustomBitmapByCommand(kOpen));

    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    auto values = ReadValues(m_hKey);
    EXPECT_EQ((std::vector<UINT>{1}), values.at("CustomBitmaps").List());
    EXPECT_EQ(file + std::string(1, '\0'), values.at("CustomBitmapFile0").Text());
    EXPECT_EQ(kSave, values.at("CustomBitmapID0").Number());
    EXPECT_EQ(std::string("OverWrittenInternalCmdBitmap", 29), values.at("CustomBitmapString0").Text());
    EXPECT_EQ(0u, values.at("CustomPromptOverride0").Number());
    EXPECT_EQ(0u, values.count("CustomSymbolString0"));
    EXPECT_EQ(0u, values.count("CustomBitmap0"));
    pBar->DestroyWindow();

    // Read into a toolbar of other buttons and written again: the same values.
    ProbeToolBar* pCopy = Reload();
    EXPECT_EQ((std::vector<UINT>{kOpen, kSave}), pCopy->ButtonIDs());
    EXPECT_EQ(kRed, pCopy->ImageCenter(1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ImageCorner(pCopy, 1));
    HKEY hAgain = CreateKey(m_key.path() + "\\Again");
    ASSERT_TRUE(pCopy->WriteToRegistry(hAgain));
    auto again = ReadValues(hAgain);
    ::RegCloseKey(hAgain);
    for (const char* name : {"CustomBitmaps", "CustomBitmapFile0", "CustomBitmapID0", "CustomBitmapString0",
                             "CustomPromptOverride0", "CustomPrompt0", "IDs"})
        EXPECT_EQ(values.at(name).data, again.at(name).data) << name;

    // The picture moves with its button; a button before it takes none of it.
    EXPECT_EQ(0, pCopy->AddButton(kGrey, 0, nullptr, nullptr));
    EXPECT_EQ(kRed, pCopy->ImageCenter(2));
    EXPECT_EQ(pCopy->GetCustomBitmap(2), pCopy->GetPicture(2));
    EXPECT_EQ(nullptr, pCopy->GetCustomRecord(0));
    // Taken off, the file goes and the category's image is back.
    pCopy->SetPicture(2, nullptr);
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(category, pCopy->ImageCenter(2));
    EXPECT_EQ(nullptr, pCopy->GetCustomBitmap(2));
}

TEST_F(CustomBitmaps, WithoutAFolderTheBitsAreStoredAsGetBitmapBitsGivesThemForEveryDepth)
{
    custom_bitmaps::SetFolder((m_folder + "missing\\deeper").c_str());   // cannot be made
    struct Case {
        WORD bits;
        int width;
    };
    for (const Case c : {Case{1, 7}, Case{4, 5}, Case{8, 3}, Case{16, 7}, Case{24, 5}, Case{32, 3}}) {
        SCOPED_TRACE(c.bits);
        const int height = 5;
        const LONG stride = (c.width * c.bits + 15) / 16 * 2;
        std::vector<BYTE> pattern((size_t)stride * height);
        for (size_t i = 0; i < pattern.size(); ++i)
            pattern[i] = (BYTE)(i * 37 + 11);
        HBITMAP hBitmap = ::CreateBitmap(c.width, height, 1, c.bits, pattern.data());
        ASSERT_NE(nullptr, hBitmap);
        const std::vector<BYTE> expected = BitsOf(hBitmap);
        ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
        // A record that holds nothing but its bitmap (a fill switched off).
        ASSERT_TRUE(pBar->FillMaskColor(0x01000000, kSave, nullptr, "none"));
        pBar->ChangeCustomBitmap(hBitmap, 1);
        ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
        pBar->DestroyWindow();

        auto values = ReadValues(m_hKey);
        EXPECT_EQ(0u, values.count("CustomBitmapFile0"));
        const std::vector<UINT> header = values.at("CustomBitmap0").List();
        const std::vector<UINT> wanted = {kSave,        0, (UINT)c.width, (UINT)height,
                                          (UINT)stride, 1, c.bits,        (UINT)(stride * height)};
        EXPECT_EQ(wanted, header);
        EXPECT_EQ(expected, values.at("CustomBitmapBits0").data);

        ProbeToolBar* pCopy = Reload();
        HBITMAP hRead = pCopy->GetCustomBitmap(1);
        ASSERT_NE(nullptr, hRead);
        EXPECT_EQ(c.bits, image_test::Describe(hRead).bmBitsPixel);
        EXPECT_EQ(expected, BitsOf(hRead));
        pCopy->DestroyWindow();
    }
    // Bits counted without the rows' padding (width x height x depth / 8) still load.
    const std::vector<UINT> header = {kSave, 0, 7, 5, 2, 1, 1, 7 * 5 / 8};
    WriteList(m_hKey, "CustomBitmap0", header);
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetValueExA(m_hKey, "CustomBitmapBits0", 0, REG_BINARY, (const BYTE*)"\xff\xff\xff\xff", 4));
    ProbeToolBar* pShort = Reload();
    EXPECT_NE(nullptr, pShort->GetCustomBitmap(1));
}

// Written again into the same key, with fewer pictures or another form of one,
// the key keeps no value of a record the new write does not have.
TEST_F(CustomBitmaps, ARewriteLeavesNoValueOfTheEarlierRecords)
{
    const auto recordValues = [this] {
        std::set<std::string> names;
        for (const auto& [name, value] : ReadValues(m_hKey))
            if (name.rfind("Custom", 0) == 0 && name != "CustomBitmaps")
                names.insert(name);
        return names;
    };
    custom_bitmaps::SetFolder((m_folder + "missing\\deeper").c_str());   // the bits go into the key
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(pBar->FillMaskColor(0x01000000, i == 0 ? kOpen : kSave, nullptr, "none"));
        pBar->ChangeCustomBitmap(Picture(kRed), i);
    }
    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    pBar->DestroyWindow();
    ASSERT_EQ(1u, recordValues().count("CustomBitmapBits1"));

    custom_bitmaps::SetFolder(m_folder.c_str());   // one picture, kept in a file
    pBar = MakeToolBar({kOpen, kSave});
    HBITMAP hPicture = Picture(kRed);
    pBar->SetPicture(1, hPicture);
    ::DeleteObject(hPicture);
    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    pBar->DestroyWindow();
    EXPECT_EQ((std::set<std::string>{"CustomBitmapFile0", "CustomBitmapID0", "CustomBitmapString0",
                                     "CustomPrompt0", "CustomPromptOverride0"}),
              recordValues());

    pBar = MakeToolBar({kOpen});
    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    pBar->DestroyWindow();
    EXPECT_EQ(std::set<std::string>{}, recordValues());
}

TEST_F(CustomBitmaps, MacroButtonTakesTheHostsPictureAndIsStoredAsInternal)
{
    FakeProvider provider;
    SetDynamicCommand(&provider);
    ProbeToolBar* pBar = MakeToolBar({kOpen});
    const int index = pBar->AppendMacroButton("hatch");
    ASSERT_EQ(1, index) << "the demo's macros beside macrohost.dll";
    const UINT nID = pBar->GetItemID(1);
    EXPECT_EQ(JMACRO_FIRST_ID, nID);
    ASSERT_NE(nullptr, pBar->GetCustomBitmap(1));
    // A stroke of the hatch, where the picture is not transparent.
    const COLORREF stroke = image_test::PixelOf(pBar->Strip(), 16 + 3, 1);
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), stroke);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pBar->ImageCenter(1));

    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    auto values = ReadValues(m_hKey);
    EXPECT_EQ(std::string("INTERNALBITMAP", 15), values.at("CustomBitmapFile0").Text());
    EXPECT_EQ(nID, values.at("CustomBitmapID0").Number());
    EXPECT_NE(std::string::npos, values.at("CustomBitmapString0").Text().find("hatch.jmac"));
    EXPECT_FALSE(FileExists(m_folder)) << "no file for a picture the macro gives";
    pBar->DestroyWindow();

    // The icon of a file the macro names; never of a library, whatever the case of its name.
    HBITMAP hColor = nullptr, hMask = nullptr;
    char system[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string program = "\"" + std::string(system) + "\\notepad.exe\"";
    HBITMAP hIcon = pBar->GetApplicationAssociatedBitmap(program.c_str(), &hColor, &hMask);
    EXPECT_NE(nullptr, hIcon);
    EXPECT_NE(nullptr, hMask);
    for (HBITMAP h : {hIcon, hColor, hMask})
        ::DeleteObject(h);
    EXPECT_EQ(nullptr,
              pBar->GetApplicationAssociatedBitmap((ProgramFolder() + "\\CONTROL.Dll").c_str(), nullptr, nullptr));
    ProbeToolBar* pCopy = Reload();
    EXPECT_EQ((std::vector<UINT>{kOpen, nID}), pCopy->ButtonIDs());
    EXPECT_EQ(stroke, image_test::PixelOf(pCopy->Strip(), 16 + 3, 1));
}

TEST_F(CustomBitmaps, SavesOfTheSameKeyLeaveOneUniqueFile)
{
    ProbeToolBar* pBar = MakeToolBar({kOpen});
    ASSERT_EQ(1, pBar->AddButton(kSave, 1, Picture(kRed), "nowhere.jmac"));
    for (int save = 0; save < 3; ++save)
        ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    const std::string file = ReadValues(m_hKey).at("CustomBitmapFile0").Text();
    EXPECT_TRUE(FileExists(file.c_str()));
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA((m_folder + "_TB*").c_str(), &found);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found))
        ++files;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    EXPECT_EQ(1, files);
}

TEST_F(CustomBitmaps, MacroWhoseHostEntryIsMissingIsRegisteredAgainOrDropped)
{
    // A stored macro button whose macro is gone and whose command the host forgot.
    const auto store = [this] {
        ProbeToolBar* pBar = MakeToolBar({kOpen});
        EXPECT_TRUE(pBar->WriteToRegistry(m_hKey));
        pBar->DestroyWindow();
        WriteList(m_hKey, "IDs", {kOpen, 42777});
        WriteList(m_hKey, "Styles", {0, 0});
        WriteList(m_hKey, "CustomBitmaps", {1});
        ::RegSetValueExA(m_hKey, "CustomBitmapFile0", 0, REG_SZ, (const BYTE*)"INTERNALBITMAP", 15);
        WriteNumber(m_hKey, "CustomBitmapID0", 42777);
        ::RegSetValueExA(m_hKey, "CustomBitmapString0", 0, REG_SZ, (const BYTE*)"gone.jmac", 10);
        ::RegSetValueExA(m_hKey, "CustomPrompt0", 0, REG_SZ, (const BYTE*)"Runs it\nGone", 13);
    };
    store();
    FakeProvider provider;
    SetDynamicCommand(&provider);
    ProbeToolBar* pBar = Reload();
    ASSERT_EQ(1u, provider.entries.size());
    EXPECT_STREQ("gone.jmac", provider.entries[0].szMacro);
    EXPECT_EQ("Runs it\nGone", provider.commandStrings[0]);
    EXPECT_EQ((std::vector<UINT>{kOpen, JMACRO_FIRST_ID}), pBar->ButtonIDs());
    EXPECT_EQ(RGB(0, 0, 128), pBar->ImageCenter(1)) << "no picture: the library's macro picture";
    pBar->DestroyWindow();

    // A host that refuses it: the record goes, the button stays.
    store();
    provider.failWith = 1;
    ProbeToolBar* pRefused = Reload();
    EXPECT_EQ((std::vector<UINT>{kOpen, 42777}), pRefused->ButtonIDs());
    EXPECT_EQ(nullptr, pRefused->GetCustomRecord(1));
}

TEST_F(CustomBitmaps, DamagedPictureFilesGiveAPlainFaceAndKeepTheirRecords)
{
    const std::string corpus = std::string(TestDataFolder()) + "custbmps\\";
    std::vector<std::string> names = {"absent_file.bmp"};
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA((corpus + "*.bmp").c_str(), &found);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found))
        names.push_back(found.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    ASSERT_GE(names.size(), 10u) << corpus;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string file = corpus + name;
        ProbeToolBar* pBar = MakeToolBar({kOpen});
        ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
        pBar->DestroyWindow();
        WriteList(m_hKey, "CustomBitmaps", {0});
        ::RegSetValueExA(m_hKey, "CustomBitmapFile0", 0, REG_SZ, (const BYTE*)file.c_str(), (DWORD)file.size() + 1);
        WriteNumber(m_hKey, "CustomBitmapID0", kOpen);
        ::RegSetValueExA(m_hKey, "CustomBitmapString0", 0, REG_SZ, (const BYTE*)"OverWrittenInternalCmdBitmap", 29);
        ProbeToolBar* pCopy = Reload();
        ASSERT_NE(nullptr, pCopy->GetCustomRecord(0));
        const bool bGood = name.rfind("good_", 0) == 0;
        EXPECT_EQ(bGood, pCopy->GetCustomBitmap(0) != nullptr);
        if (!bGood) {
            EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pCopy->ImageCenter(0));
        }
        // Read again the other way, into a record: the same answer.
        pCopy->ChangeCustomBitmap(file.c_str(), 0);
        EXPECT_EQ(bGood, pCopy->GetCustomBitmap(0) != nullptr);
        // Saved again, a record without its picture still names the user's file (a
        // readable one would be written over).
        if (!bGood) {
            HKEY hAgain = CreateKey(m_key.path() + "\\Again");
            ASSERT_TRUE(pCopy->WriteToRegistry(hAgain));
            EXPECT_EQ(file + std::string(1, '\0'), ReadValues(hAgain).at("CustomBitmapFile0").Text());
            ::RegCloseKey(hAgain);
        }
        pCopy->DestroyWindow();
    }
}

// Pictures from the corpus's good files, damaged at random from a seed: each is read
// into a button's record; none may crash or make a picture larger than a button
// picture can be. CUSTBMP_FUZZ_RUNS and CUSTBMP_FUZZ_SEED run it longer; the case
// being read is left as custbmp_fuzz.bmp in the test's picture folder.
TEST_F(CustomBitmaps, MutatedPictureFilesAreReadWithoutHarm)
{
    const char* runsText = std::getenv("CUSTBMP_FUZZ_RUNS");
    const char* seedText = std::getenv("CUSTBMP_FUZZ_SEED");
    const int runs = runsText ? std::atoi(runsText) : 40;
    const unsigned seed = seedText ? (unsigned)std::strtoul(seedText, nullptr, 10) : 1u;
    std::vector<std::vector<char>> seeds;
    for (const char* name : {"good_24bit.bmp", "good_topdown.bmp", "good_rle8.bmp", "good_1bit.bmp"}) {
        std::ifstream in(std::string(TestDataFolder()) + "custbmps\\" + name, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_FALSE(seeds.back().empty()) << name;
    }
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    const std::string file = m_folder + "custbmp_fuzz.bmp";
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    ASSERT_TRUE(pBar->FillMaskColor(0x01000000, kSave, nullptr, "none"));
    int pictures = 0;
    for (int run = 0; run < runs; ++run) {
        std::mt19937 random(seed + (unsigned)run);
        std::vector<char> data = seeds[random() % seeds.size()];
        const int edits = 1 + (int)(random() % 3);
        for (int e = 0; e < edits && !data.empty(); ++e) {
            const size_t at = random() % data.size();
            switch (random() % 5) {
            case 0:   // a random byte
                data[at] = (char)random();
                break;
            case 1: {   // an extreme 32-bit number in the headers
                static const uint32_t kExtremes[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 30000, 0xFFFF};
                const size_t field = (random() % 13) * 4 + 2;
                const uint32_t value = kExtremes[random() % std::size(kExtremes)];
                if (field + 4 <= data.size())
                    memcpy(&data[field], &value, 4);
                break;
            }
            case 2:   // cut short
                data.resize(at);
                break;
            case 3:   // longer
                data.insert(data.end(), random() % 512, (char)random());
                break;
            default:   // a 16-bit field (depth, planes) to a random value
                if (28 + 2 <= data.size())
                    data[random() % 2 ? 26 : 28] = (char)(random() % 64);
                break;
            }
        }
        if (std::getenv("CUSTBMP_FUZZ_TRACE"))
            std::printf("case %u\n", seed + (unsigned)run);
        {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out.write(data.data(), (std::streamsize)data.size());
        }
        if (HBITMAP hRead = custom_bitmaps::ReadBitmapFile(file.c_str())) {
            const BITMAP bm = image_test::Describe(hRead);
            EXPECT_LE(bm.bmWidth, 1024) << "case " << seed + run;
            EXPECT_LE(std::abs(bm.bmHeight), 1024) << "case " << seed + run;
            ::DeleteObject(hRead);
            ++pictures;
        }
        pBar->ChangeCustomBitmap(file.c_str(), 1);
    }
    std::printf("%d mutated pictures from seed %u: %d read as pictures, the rest refused, no crash\n", runs, seed,
                pictures);
}

TEST_F(CustomBitmaps, SymbolFilesGiveTheirIconOfTheButtonSizeAndAreStoredByName)
{
    const std::string file = m_folder + "disc.sym";
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    ASSERT_TRUE(WriteSymbolFile(file, RGB(0, 0, 180), RGB(0, 160, 0)));
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    pBar->SetBitmapFromSymbolByButtonIndex(file.c_str(), 1);
    EXPECT_EQ(RGB(0, 160, 0), pBar->ImageCenter(1));
    // White, the transparent colour, shows the face.
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ImageCorner(pBar, 1));
    m_pInfo->m_nLargeButtons = 1;
    HBITMAP hLarge = pBar->GetSymbolAssociatedBitmap(file.c_str());
    ASSERT_NE(nullptr, hLarge);
    EXPECT_EQ(32, image_test::Describe(hLarge).bmWidth);
    EXPECT_EQ(RGB(0, 0, 180), image_test::PixelOf(hLarge, 16, 16));
    ::DeleteObject(hLarge);
    m_pInfo->m_nLargeButtons = 0;
    EXPECT_EQ(nullptr, pBar->GetSymbolAssociatedBitmap((m_folder + "none.sym").c_str()));

    ASSERT_TRUE(pBar->WriteToRegistry(m_hKey));
    auto values = ReadValues(m_hKey);
    EXPECT_EQ(std::string(kInternalBitmap) + std::string(1, '\0'), values.at("CustomBitmapFile0").Text());
    EXPECT_EQ(file + std::string(1, '\0'), values.at("CustomSymbolString0").Text());
    EXPECT_EQ(std::string(1, '\0'), values.at("CustomBitmapString0").Text());
    pBar->DestroyWindow();
    ProbeToolBar* pCopy = Reload();
    EXPECT_EQ(RGB(0, 160, 0), pCopy->ImageCenter(1));
    // The sample symbol file kept with the tests was written the same way.
    const std::string sample = std::string(TestDataFolder()) + "symbols\\disc.sym";
    pCopy->SetBitmapFromSymbolByCommandID(sample.c_str(), kOpen);
    EXPECT_EQ(RGB(0, 160, 0), pCopy->ImageCenter(0));
}

TEST_F(CustomBitmaps, FillColourIsPaintedWhereTheMaskIsBlackAndAboveWhiteNotAtAll)
{
    ProbeToolBar* pBar = MakeToolBar({kOpen, kSave});
    const COLORREF category = pBar->ImageCenter(1);
    ASSERT_TRUE(pBar->FillMaskColor(kFillButtonFace, kSave, ::GetModuleHandleA(nullptr), "FILL"));
    EXPECT_EQ(category, pBar->ImageCenter(1)) << "the host paints fills, not the strip";
    CTMBITMAPSTRUCT* pRecord = pBar->GetCustomBitmapByCommand(kSave);
    ASSERT_NE(nullptr, pRecord);
    HBITMAP hSource = image_test::MakeDib(16, 15, 24, kRed);
    HBITMAP hFilled = pBar->AddFillColor(hSource, pRecord);
    ASSERT_NE(hSource, hFilled);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), image_test::PixelOf(hFilled, 3, 7));
    EXPECT_EQ(kRed, image_test::PixelOf(hFilled, 12, 7));
    ::DeleteObject(hFilled);
    pRecord->m_crFill = 0x01000000;
    EXPECT_EQ(hSource, pBar->AddFillColor(hSource, pRecord));
    ::DeleteObject(hSource);
}

}   // namespace
