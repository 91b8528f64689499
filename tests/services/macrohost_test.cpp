// macrohost.dll, driven as the control library drives it: loaded at run time
// and called through the entry points it resolves by name. Damaged macro files
// (the corpus beside the program, and huge files made here) must give results,
// never a crash or a write past the caller's buffers.
#include "macrohost.h"
#include "peimage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using testing_support::BesideProgram;

const char kGuard = '\x5a';

bool WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return bool(file.write(bytes.data(), std::streamsize(bytes.size())));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A text buffer with guard bytes behind the part the callee may write.
class GuardedBuffer {
public:
    explicit GuardedBuffer(int size) : m_size(size), m_bytes(size + 16, kGuard) {}
    char* data() { return m_bytes.data(); }
    int size() const { return m_size; }
    std::string text() const { return std::string(m_bytes.data(), strnlen(m_bytes.data(), m_size)); }
    bool GuardsIntact() const
    {
        for (size_t i = m_size; i < m_bytes.size(); ++i)
            if (m_bytes[i] != kGuard)
                return false;
        return true;
    }

private:
    int m_size;
    std::vector<char> m_bytes;
};

class MacroHost : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hHost = ::LoadLibraryA(BesideProgram("macrohost.dll"));
        s_directory = (LPCSTR)BesideProgram("Macros");
        ::CreateDirectoryA(s_directory.c_str(), nullptr);
        const std::string picture = ReadFile((LPCSTR)BesideProgram("testdata\\macros\\picture.bmp"));
        WriteFile(s_directory + "\\servicestest_picture.bmp", picture);
        WriteFile(ProbePath(), "; written by services_tests\nName=Probe macro\nTip=Probes the macro host\n"
                               "Prompt=Pick anything\nBitmap=servicestest_picture.bmp\nTransparent=192,192,192\n");
        WriteFile(s_directory + "\\servicestest_other.jmac", "Name=Other macro\n");
    }
    static void TearDownTestSuite()
    {
        ::DeleteFileA(ProbePath().c_str());
        ::DeleteFileA((s_directory + "\\servicestest_other.jmac").c_str());
        ::DeleteFileA((s_directory + "\\servicestest_picture.bmp").c_str());
        if (s_hHost)
            ::FreeLibrary(s_hHost);
    }
    void SetUp() override { ASSERT_NE(nullptr, s_hHost); }

    static std::string ProbePath() { return s_directory + "\\servicestest_probe.jmac"; }

    template <typename Entry>
    static Entry Resolve(const char* name)
    {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(s_hHost, name)));
    }

    // GetRunMacro as the library calls it to make a command; fills path and clsid.
    static HRESULT Run(const char* macro, int& error, std::string& path, CLSID& clsid, const CLSID* pEngine = nullptr,
                       int* pKind = nullptr)
    {
        char buffer[2048] = "junk";
        int kind = -1;
        error = -1;
        const HRESULT hr =
            Resolve<PFN_GETRUNMACRO>("GetRunMacro")(nullptr, pEngine, macro, &error, buffer, &clsid, &kind, 0, 0, 4, 1);
        path = buffer;
        if (pKind)
            *pKind = kind;
        return hr;
    }

    struct Information {
        HRESULT hr;
        CLSID clsid;
        int value;
        std::string name, tip, prompt;
        HBITMAP hBitmap;
        int transparent;
        bool guardsIntact;
    };
    static Information Describe(const char* macro, int nameSize = 50, int tipSize = 200)
    {
        GuardedBuffer name(nameSize), tip(tipSize), prompt(256);
        Information info{};
        info.value = -5;
        info.hr = Resolve<PFN_GETRUNMACROINFORMATION>("GetRunMacroInformation")(
            macro, &info.clsid, &info.value, name.data(), name.size(), tip.data(), tip.size(), prompt.data(),
            &info.hBitmap, &info.transparent);
        info.name = name.text();
        info.tip = tip.text();
        info.prompt = prompt.text();
        info.guardsIntact = name.GuardsIntact() && tip.GuardsIntact() && prompt.GuardsIntact();
        return info;
    }

    static HMODULE s_hHost;
    static std::string s_directory;
};
HMODULE MacroHost::s_hHost = nullptr;
std::string MacroHost::s_directory;

TEST_F(MacroHost, TheMacroDirectoryIsBesideTheModuleAndAHostValueMakesItCurrent)
{
    const auto getDirectory = Resolve<PFN_GETMACRODIRECTORY>("GetMacroDirectory");
    char previous[MAX_PATH] = "", current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder));
    ::GetCurrentDirectoryA(MAX_PATH, folder);

    char buffer[MAX_PATH] = "";
    EXPECT_EQ(S_OK, getDirectory(0, buffer));
    EXPECT_STREQ(s_directory.c_str(), buffer);
    ::GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_STREQ(folder, current);

    for (long value : {1L, 7L, -1L}) {
        ::SetCurrentDirectoryA(folder);
        buffer[0] = '\0';
        EXPECT_EQ(S_OK, getDirectory(value, buffer));
        EXPECT_STREQ(s_directory.c_str(), buffer);
        ::GetCurrentDirectoryA(MAX_PATH, current);
        EXPECT_EQ(0, _stricmp(s_directory.c_str(), current)) << current;
    }
    EXPECT_EQ(E_POINTER, getDirectory(1, nullptr));
    ::SetCurrentDirectoryA(previous);
}

TEST_F(MacroHost, PathNameAndProgramIDNameTheSameMacro)
{
    int error = -1;
    std::string path;
    CLSID byPath{}, clsid{};
    const std::string probe = ProbePath();
    ASSERT_EQ(S_OK, Run(ProbePath().c_str(), error, path, byPath));
    EXPECT_EQ(0x4a4d4143u, byPath.Data1);
    for (const char* name : {"servicestest_probe.jmac", "servicestest_probe", "Macro.servicestest_probe",
                             "MACRO.ServicesTest_Probe", probe.c_str()}) {
        ASSERT_EQ(S_OK, Run(name, error, path, clsid)) << name;
        EXPECT_EQ(0, error) << name;
        EXPECT_STRCASEEQ(probe.c_str(), path.c_str()) << name;
        EXPECT_TRUE(byPath == clsid) << name;
    }
    CLSID other{};
    ASSERT_EQ(S_OK, Run("Macro.servicestest_other", error, path, other));
    EXPECT_FALSE(byPath == other);
}

TEST_F(MacroHost, AMissingMacroIsAnErrorWithEmptyOutputs)
{
    const std::string longText(3000, 'q');
    const std::string longPath = "C:\\" + std::string(2100, 'p') + ".jmac";
    for (const char* macro : {"nosuchmacro", "Macro.nosuchmacro", "Macro.", "Macro...", "Macro.x\\..\\..\\y", "",
                              "C:\\no\\such\\file.jmac", longText.c_str(), longPath.c_str()}) {
        int error = -1;
        std::string path;
        CLSID clsid = {1, 0, 0, {}};
        EXPECT_TRUE(FAILED(Run(macro, error, path, clsid))) << macro;
        EXPECT_EQ(1, error) << macro;
        EXPECT_EQ("", path) << macro;
        EXPECT_TRUE(GUID_NULL == clsid) << macro;
    }
    // A folder is no macro either.
    int error = -1;
    std::string path;
    CLSID clsid{};
    EXPECT_TRUE(FAILED(Run(s_directory.c_str(), error, path, clsid)));
    EXPECT_EQ(1, error);
    EXPECT_EQ(E_INVALIDARG, Resolve<PFN_GETRUNMACRO>("GetRunMacro")(nullptr, nullptr, nullptr, &error, nullptr, nullptr,
                                                                    nullptr, 0, 0, 1, 1));
    // Described, it is nothing.
    const Information info = Describe("Macro.nosuchmacro");
    EXPECT_TRUE(FAILED(info.hr));
    EXPECT_EQ("", info.name + info.tip + info.prompt);
    EXPECT_EQ(nullptr, info.hBitmap);
    EXPECT_EQ(-1, info.transparent);
    EXPECT_TRUE(GUID_NULL == info.clsid);
}

TEST_F(MacroHost, AClassIdTextStandsForItselfOnlyForTheEngine)
{
    const char* text = "{6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A01}";
    const CLSID engine = {0x12345678, 0, 0, {}};
    int error = -1, kind = -1;
    std::string path;
    CLSID clsid{};
    ASSERT_EQ(S_OK, Run(text, error, path, clsid, &engine, &kind));
    EXPECT_EQ(0, error);
    EXPECT_EQ(text, path);
    EXPECT_EQ(1, kind);
    EXPECT_EQ(0x6b1c3c2eu, clsid.Data1);
    EXPECT_EQ(0x01, clsid.Data4[7]);

    EXPECT_TRUE(FAILED(Run(text, error, path, clsid)));
    EXPECT_EQ(1, error);
    EXPECT_TRUE(FAILED(Run("{not-a-class-id-at-all-but-38-chars!!}", error, path, clsid, &engine)));
    EXPECT_EQ(1, error);

    // A file resolves for the engine too, as a file.
    ASSERT_EQ(S_OK, Run("servicestest_probe", error, path, clsid, &engine, &kind));
    EXPECT_EQ(0, kind);
    EXPECT_EQ(ProbePath(), path);
}

TEST_F(MacroHost, OutputsTheCallerLeavesOutAreSkipped)
{
    const auto run = Resolve<PFN_GETRUNMACRO>("GetRunMacro");
    EXPECT_EQ(S_OK, run(nullptr, nullptr, "servicestest_probe", nullptr, nullptr, nullptr, nullptr, 0, 0, 1, 1));
    EXPECT_EQ(S_OK, Resolve<PFN_GETRUNMACROINFORMATION>("GetRunMacroInformation")(
                        "servicestest_probe", nullptr, nullptr, nullptr, 50, nullptr, 200, nullptr, nullptr, nullptr));
}

TEST_F(MacroHost, InformationIsReadBackFromTheFile)
{
    Information info = Describe("Macro.servicestest_probe");
    ASSERT_EQ(S_OK, info.hr);
    EXPECT_EQ("Probe macro", info.name);
    EXPECT_EQ("Probes the macro host", info.tip);
    EXPECT_EQ("Pick anything", info.prompt);
    EXPECT_EQ(0, info.value);
    EXPECT_EQ(static_cast<int>(RGB(192, 192, 192)), info.transparent);
    CLSID resolved{};
    int error = -1;
    std::string path;
    Run("servicestest_probe", error, path, resolved);
    EXPECT_TRUE(resolved == info.clsid);

    ASSERT_NE(nullptr, info.hBitmap);
    DIBSECTION section{};
    EXPECT_EQ(static_cast<int>(sizeof section), ::GetObjectA(info.hBitmap, sizeof section, &section));
    EXPECT_EQ(16, section.dsBm.bmWidth);
    EXPECT_EQ(15, section.dsBm.bmHeight);
    EXPECT_TRUE(::DeleteObject(info.hBitmap));
}

TEST_F(MacroHost, TextsAreCutToTheirBuffers)
{
    Information info = Describe(ProbePath().c_str(), 5, 3);
    ASSERT_EQ(S_OK, info.hr);
    EXPECT_EQ("Prob", info.name);
    EXPECT_EQ("Pr", info.tip);
    EXPECT_TRUE(info.guardsIntact);
    ::DeleteObject(info.hBitmap);

    info = Describe((LPCSTR)BesideProgram("testdata\\macros\\long_values.jmac"));
    ASSERT_EQ(S_OK, info.hr);
    EXPECT_EQ(std::string(49, 'N'), info.name);
    EXPECT_EQ(std::string(199, 'T'), info.tip);
    EXPECT_EQ(std::string(255, 'P'), info.prompt);
    EXPECT_TRUE(info.guardsIntact);

    // Sizes of zero or less write nothing at all.
    GuardedBuffer name(0);
    EXPECT_EQ(S_OK, Resolve<PFN_GETRUNMACROINFORMATION>("GetRunMacroInformation")(
                        ProbePath().c_str(), nullptr, nullptr, name.data(), -4, nullptr, 0, nullptr, nullptr, nullptr));
    EXPECT_TRUE(name.GuardsIntact());
}

TEST_F(MacroHost, MoreInformationFlagsTheMacrosOwnPicture)
{
    const auto getMore = Resolve<PFN_GETMOREMACROINFORMATION>("GetMoreMacroInformation");
    GuardedBuffer name(50), tip(200), prompt(10);
    char extra[8] = "junk";
    int value = -1, flags = -1, transparent = 0;
    HBITMAP hBitmap = nullptr;
    ASSERT_EQ(S_OK, getMore("servicestest_probe", nullptr, &value, name.data(), name.size(), tip.data(), tip.size(),
                            prompt.data(), prompt.size(), extra, &flags, &hBitmap, &transparent));
    EXPECT_EQ("Probe macro", name.text());
    EXPECT_EQ("Pick anyt", prompt.text());
    EXPECT_TRUE(prompt.GuardsIntact());
    EXPECT_STREQ("", extra);
    EXPECT_EQ(JMACRO_FLAG_OWN_PICTURE, flags);
    EXPECT_NE(nullptr, hBitmap);
    ::DeleteObject(hBitmap);

    ASSERT_EQ(S_OK, getMore("servicestest_other", nullptr, &value, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, &flags,
                            &hBitmap, &transparent));
    EXPECT_EQ(0, flags);
    EXPECT_EQ(nullptr, hBitmap);
    EXPECT_EQ(-1, transparent);
    // Without a place for it, the picture is not leaked but dropped.
    EXPECT_EQ(S_OK, getMore("servicestest_probe", nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, &flags,
                            nullptr, nullptr));
    EXPECT_EQ(JMACRO_FLAG_OWN_PICTURE, flags);
}

TEST_F(MacroHost, ProgramIDsTurnIntoFilesAndClassIds)
{
    const auto fileName = Resolve<PFN_GETFILENAMEGIVENPROGID>("GetFileNameGivenProgID");
    char buffer[MAX_PATH] = "junk";
    EXPECT_EQ(S_OK, fileName("Macro.servicestest_probe", buffer));
    EXPECT_EQ(ProbePath(), buffer);
    strcpy(buffer, "junk");
    EXPECT_LT(fileName("Macro.nosuchmacro", buffer), 0);
    EXPECT_STREQ("", buffer);
    EXPECT_LT(fileName("servicestest_probe", buffer), 0);   // a file name is no program ID
    EXPECT_LT(fileName(nullptr, buffer), 0);

    const auto fromProgramID = Resolve<PFN_UMACROCLSIDFROMPROGID>("UMacroCLSIDFromProgID");
    const auto fromFileName = Resolve<PFN_UMACROCLSIDFROMFILENAME>("UMacroCLSIDFromFileName");
    CLSID resolved{}, clsid{};
    int error = -1;
    std::string path;
    Run("servicestest_probe", error, path, resolved);
    EXPECT_EQ(S_OK, fromProgramID("Macro.servicestest_probe", &clsid));
    EXPECT_TRUE(resolved == clsid);
    clsid = CLSID{};
    EXPECT_EQ(S_OK, fromFileName("servicestest_probe.jmac", &clsid));
    EXPECT_TRUE(resolved == clsid);
    EXPECT_EQ(S_OK, fromFileName(ProbePath().c_str(), &clsid));
    EXPECT_TRUE(resolved == clsid);

    EXPECT_EQ(REGDB_E_CLASSNOTREG, fromProgramID("servicestest_probe", &clsid));
    EXPECT_TRUE(GUID_NULL == clsid);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, fromProgramID("Macro.nosuchmacro", &clsid));
    EXPECT_EQ(E_FAIL, fromFileName("Macro.servicestest_probe", &clsid));
    EXPECT_EQ(E_FAIL, fromFileName("{6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A01}", &clsid));
    EXPECT_EQ(E_FAIL, fromFileName(nullptr, &clsid));
}

TEST_F(MacroHost, DamagedFilesGiveWhatCanBeRead)
{
    struct Case {
        const char* file;
        const char* name;
        const char* tip;
    };
    // clang-format off
    const Case cases[] = {
        {"missing_keys.jmac", "", ""}, {"long_line.jmac", "After a long line", ""},
        {"binary_junk.jmac", "Found in junk", nullptr}, {"no_newline.jmac", "Last line", ""},
        {"bom_crlf.jmac", "Spaced name", "Upper case key"}, {"bad_picture.jmac", "Bad picture", ""},
        {"outside_picture.jmac", "Outside picture", ""}, {"empty.jmac", "", ""},
    };
    // clang-format on
    for (const Case& test : cases) {
        const Information info = Describe((LPCSTR)BesideProgram(CString("testdata\\macros\\") + test.file));
        EXPECT_EQ(S_OK, info.hr) << test.file;
        EXPECT_EQ(test.name, info.name) << test.file;
        if (test.tip) {
            EXPECT_EQ(test.tip, info.tip) << test.file;
        }
        EXPECT_EQ(nullptr, info.hBitmap) << test.file;
        EXPECT_EQ(-1, info.transparent) << test.file;
        EXPECT_TRUE(info.guardsIntact) << test.file;
    }
    // The one intact file of the corpus, for contrast: its picture loads.
    const Information good = Describe((LPCSTR)BesideProgram("testdata\\macros\\good.jmac"));
    EXPECT_EQ("Good macro", good.name);
    EXPECT_NE(nullptr, good.hBitmap);
    EXPECT_EQ(static_cast<int>(RGB(192, 192, 192)), good.transparent);
    ::DeleteObject(good.hBitmap);
}

TEST_F(MacroHost, HugeFilesAreReadOnlyInPart)
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    const std::string longLine = std::string(folder) + "servicestest_huge_line.jmac";
    const std::string junk = std::string(folder) + "servicestest_huge_junk.jmac";
    ASSERT_TRUE(WriteFile(longLine, "Name=Huge\n" + std::string(10 * 1024 * 1024, 'z')));
    std::string bytes(10 * 1024 * 1024, '\0');
    unsigned state = 12345;
    for (char& ch : bytes) {
        state = state * 1103515245u + 12345u;
        ch = static_cast<char>(state >> 24);
    }
    ASSERT_TRUE(WriteFile(junk, bytes + "\nName=Too far to be read\n"));

    // A line that the 64 KiB limit cuts is not taken cut.
    const std::string cutLine = std::string(folder) + "servicestest_cut_line.jmac";
    std::string padding;
    while (padding.size() < 64 * 1024 - 8)
        padding += "; padding line\n";
    padding.resize(64 * 1024 - 8);
    padding.back() = '\n';
    ASSERT_TRUE(WriteFile(cutLine, padding + "Name=Cut in two\n"));
    EXPECT_EQ("", Describe(cutLine.c_str()).name);
    ASSERT_TRUE(WriteFile(cutLine, padding + "Name=1\n"));
    EXPECT_EQ("1", Describe(cutLine.c_str()).name);
    ::DeleteFileA(cutLine.c_str());

    const DWORD start = ::GetTickCount();
    const Information huge = Describe(longLine.c_str());
    EXPECT_EQ(S_OK, huge.hr);
    EXPECT_EQ("Huge", huge.name);
    const Information junkInfo = Describe(junk.c_str());
    EXPECT_EQ(S_OK, junkInfo.hr);
    EXPECT_NE("Too far to be read", junkInfo.name);
    EXPECT_TRUE(junkInfo.guardsIntact);
    if (junkInfo.hBitmap)
        ::DeleteObject(junkInfo.hBitmap);
    EXPECT_LT(::GetTickCount() - start, 5000u);
    ::DeleteFileA(longLine.c_str());
    ::DeleteFileA(junk.c_str());
}

// Describes a macro beside the picture corpus that names one picture.
class MacroPictures : public MacroHost {
protected:
    static std::string Folder() { return (LPCSTR)BesideProgram("testdata\\macros\\pictures"); }
    static std::string MacroPath() { return Folder() + "\\servicestest_probe.jmac"; }
    static HBITMAP PictureOf(const std::string& file)
    {
        WriteFile(MacroPath(), "Name=Picture probe\nBitmap=" + file + "\n");
        return Describe(MacroPath().c_str()).hBitmap;
    }
    void TearDown() override { ::DeleteFileA(MacroPath().c_str()); }
};

COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    const HDC hDC = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(hDC, hBitmap);
    const COLORREF colour = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, old);
    ::DeleteDC(hDC);
    return colour;
}

TEST_F(MacroPictures, DamagedPicturesGiveNoPictureAndUnusualSoundOnesLoad)
{
    // Damaged: headers that disagree with the file or say absurd sizes.
    for (const char* file :
         {"wide_header.bmp", "short_pixels.bmp", "huge_rle.bmp", "rle_top_down.bmp", "offset_past_end.bmp",
          "palette_overflow.bmp", "header_size_huge.bmp", "truncated_header.bmp", "negative_width.bmp",
          "height_int_min.bmp", "odd_bit_count.bmp", "jpeg_inside.bmp", "bitfields_cut.bmp", "no_planes.bmp"}) {
        const HBITMAP hBitmap = PictureOf(file);
        EXPECT_EQ(nullptr, hBitmap) << file;
        if (hBitmap)
            ::DeleteObject(hBitmap);
    }
    // Sound: run-length pictures whose runs leave the picture are clipped, not refused.
    struct Sound {
        const char* file;
        int width, height, x, y;
        COLORREF colour;
    };
    const Sound sound[] = {
        {"rle8_clipped.bmp", 4, 4, 0, 3, RGB(104, 240, 120)},   // the bottom row's run, cut at the edge
        {"rle4_literal.bmp", 5, 2, 0, 0, RGB(208, 224, 240)},
        {"core_header.bmp", 8, 2, 0, 0, RGB(8, 239, 16)},
        {"bitfields_565.bmp", 2, 2, 0, 0, RGB(255, 0, 0)},
    };
    for (const Sound& test : sound) {
        const HBITMAP hBitmap = PictureOf(test.file);
        ASSERT_NE(nullptr, hBitmap) << test.file;
        BITMAP bitmap{};
        ::GetObjectA(hBitmap, sizeof bitmap, &bitmap);
        EXPECT_EQ(test.width, bitmap.bmWidth) << test.file;
        EXPECT_EQ(test.height, bitmap.bmHeight) << test.file;
        EXPECT_EQ(test.colour, PixelOf(hBitmap, test.x, test.y)) << test.file;
        ::DeleteObject(hBitmap);
    }
}

// Seeded mutations of sound pictures: none may crash or stall the host, and what loads
// is of a sane size. MACRO_PICTURE_FUZZ_RUNS and MACRO_PICTURE_FUZZ_SEED make a long
// or a repeated run; a crash leaves the input that caused it as servicestest_fuzz.bmp
// beside the corpus.
TEST_F(MacroPictures, MutatedPicturesNeverCrashOrStall)
{
    const char* runsText = std::getenv("MACRO_PICTURE_FUZZ_RUNS");
    const char* seedText = std::getenv("MACRO_PICTURE_FUZZ_SEED");
    const unsigned runs = runsText ? unsigned(std::strtoul(runsText, nullptr, 10)) : 150;
    const unsigned seed = seedText ? unsigned(std::strtoul(seedText, nullptr, 10)) : ::GetTickCount();
    std::printf("picture fuzz: seed %u, %u runs\n", seed, runs);
    SCOPED_TRACE("MACRO_PICTURE_FUZZ_SEED=" + std::to_string(seed));
    std::vector<std::string> seeds;
    for (const char* file : {"rle8_clipped.bmp", "rle4_literal.bmp", "core_header.bmp", "bitfields_565.bmp"})
        seeds.push_back(ReadFile(Folder() + "\\" + file));
    seeds.push_back(ReadFile((LPCSTR)BesideProgram("testdata\\macros\\picture.bmp")));
    std::mt19937 random(seed);
    const auto below = [&](size_t n) { return n ? std::uniform_int_distribution<size_t>(0, n - 1)(random) : 0; };
    const uint32_t extremes[] = {0, 1, 2, 0xFF, 0x7FFF, 0xFFFF, 4096, 30000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    for (unsigned run = 0; run < runs; ++run) {
        std::string bytes = seeds[below(seeds.size())];
        for (size_t edits = 1 + below(4); edits > 0 && !bytes.empty(); --edits) {
            switch (below(4)) {
            case 0:
                bytes[below(bytes.size())] ^= char(1 << below(8));
                break;
            case 1: {   // an extreme number over a header field
                const size_t at = below(std::min<size_t>(bytes.size(), 60));
                const uint32_t value = extremes[below(std::size(extremes))];
                bytes.replace(at, std::min<size_t>(4, bytes.size() - at), reinterpret_cast<const char*>(&value), 4);
                break;
            }
            case 2:
                bytes.resize(below(bytes.size() + 1));
                break;
            default:
                bytes += std::string(below(64), char(below(256)));
                break;
            }
        }
        ASSERT_TRUE(WriteFile(Folder() + "\\servicestest_fuzz.bmp", bytes));
        if (const HBITMAP hBitmap = PictureOf("servicestest_fuzz.bmp")) {
            BITMAP bitmap{};
            ::GetObjectA(hBitmap, sizeof bitmap, &bitmap);
            EXPECT_LE(bitmap.bmWidth, 1024) << "run " << run;
            EXPECT_LE(bitmap.bmHeight, 1024) << "run " << run;
            ::DeleteObject(hBitmap);
        }
    }
    ::DeleteFileA((Folder() + "\\servicestest_fuzz.bmp").c_str());
}

TEST_F(MacroHost, TheDemosSampleMacrosAreComplete)
{
    for (const char* sample : {"Macro.hatch", "Macro.dimension", "Macro.border"}) {
        const Information info = Describe(sample);
        ASSERT_EQ(S_OK, info.hr) << sample;
        EXPECT_FALSE(info.name.empty()) << sample;
        EXPECT_FALSE(info.tip.empty()) << sample;
        EXPECT_FALSE(info.prompt.empty()) << sample;
        EXPECT_NE(nullptr, info.hBitmap) << sample;
        EXPECT_NE(-1, info.transparent) << sample;
        if (info.hBitmap)
            ::DeleteObject(info.hBitmap);
    }
}

}   // namespace
