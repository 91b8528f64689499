// macrohost.dll, loaded and called by name as the library does. Damaged macro files (the corpus
// beside the program, huge files made here) give results, never a crash or a write past a buffer.
#include "../toolbar/image_helpers.h"
#include "macrohost.h"
#include "peimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <tuple>
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
    bool GuardsIntact() const { return std::count(m_bytes.begin() + m_size, m_bytes.end(), kGuard) == 16; }

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

    // What GetRunMacro gives as the library calls it to make a command.
    struct Resolution {
        HRESULT hr;
        int error = -1;
        std::string path;
        CLSID clsid = {1, 0, 0, {}};   // junk a failure must clear
        int kind = -1;
    };
    static Resolution Run(const char* macro, const CLSID* pEngine = nullptr)
    {
        char buffer[2048] = "junk";
        Resolution out;
        out.hr = Resolve<PFN_GETRUNMACRO>("GetRunMacro")(nullptr, pEngine, macro, &out.error, buffer, &out.clsid,
                                                         &out.kind, 0, 0, 4, 1);
        out.path = buffer;
        return out;
    }
    static CLSID ProbeClsid() { return Run("servicestest_probe").clsid; }

    struct Information {
        HRESULT hr;
        CLSID clsid;
        int value;
        std::string name, tip, prompt;
        HBITMAP hBitmap;
        int transparent;
        bool guardsIntact;
        std::shared_ptr<void> picture;   // deletes the bitmap with the last copy
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
        if (info.hBitmap)
            info.picture.reset(info.hBitmap, ::DeleteObject);
        return info;
    }

    static inline HMODULE s_hHost = nullptr;
    static inline std::string s_directory;
};

TEST_F(MacroHost, TheMacroDirectoryIsBesideTheModuleAndAHostValueMakesItCurrent)
{
    const auto getDirectory = Resolve<PFN_GETMACRODIRECTORY>("GetMacroDirectory");
    char previous[MAX_PATH] = "", current[MAX_PATH] = "", folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::GetTempPathA(MAX_PATH, folder);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder));
    ::GetCurrentDirectoryA(MAX_PATH, folder);

    // Any value but 0 makes the macro directory current.
    for (long value : {0L, 1L, 7L, -1L}) {
        ::SetCurrentDirectoryA(folder);
        char buffer[MAX_PATH] = "";
        EXPECT_EQ(S_OK, getDirectory(value, buffer));
        EXPECT_STREQ(s_directory.c_str(), buffer);
        ::GetCurrentDirectoryA(MAX_PATH, current);
        EXPECT_EQ(0, _stricmp(value ? s_directory.c_str() : folder, current)) << value << current;
    }
    EXPECT_EQ(E_POINTER, getDirectory(1, nullptr));
    ::SetCurrentDirectoryA(previous);
}

TEST_F(MacroHost, PathNameAndProgramIDNameTheSameMacro)
{
    const std::string probe = ProbePath();
    const Resolution byPath = Run(probe.c_str());
    ASSERT_EQ(S_OK, byPath.hr);
    EXPECT_EQ(0x4a4d4143u, byPath.clsid.Data1);
    for (const char* name : {"servicestest_probe.jmac", "servicestest_probe", "Macro.servicestest_probe",
                             "MACRO.ServicesTest_Probe", probe.c_str()}) {
        const Resolution got = Run(name);
        ASSERT_EQ(S_OK, got.hr) << name;
        EXPECT_EQ(0, got.error) << name;
        EXPECT_STRCASEEQ(probe.c_str(), got.path.c_str()) << name;
        EXPECT_TRUE(byPath.clsid == got.clsid) << name;
    }
    const Resolution other = Run("Macro.servicestest_other");
    ASSERT_EQ(S_OK, other.hr);
    EXPECT_FALSE(byPath.clsid == other.clsid);
}

TEST_F(MacroHost, AMissingMacroIsAnErrorWithEmptyOutputs)
{
    const std::string longText(3000, 'q');
    const std::string longPath = "C:\\" + std::string(2100, 'p') + ".jmac";
    // The last is a folder: no macro either.
    for (const char* macro : {"nosuchmacro", "Macro.nosuchmacro", "Macro.", "Macro...", "Macro.x\\..\\..\\y", "",
                              "C:\\no\\such\\file.jmac", longText.c_str(), longPath.c_str(), s_directory.c_str()}) {
        const Resolution got = Run(macro);
        EXPECT_TRUE(FAILED(got.hr)) << macro;
        EXPECT_EQ(1, got.error) << macro;
        EXPECT_EQ("", got.path) << macro;
        EXPECT_TRUE(GUID_NULL == got.clsid) << macro;
    }
    int error = -1;
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
    Resolution got = Run(text, &engine);
    ASSERT_EQ(S_OK, got.hr);
    EXPECT_EQ(0, got.error);
    EXPECT_EQ(text, got.path);
    EXPECT_EQ(1, got.kind);
    EXPECT_EQ(0x6b1c3c2eu, got.clsid.Data1);
    EXPECT_EQ(0x01, got.clsid.Data4[7]);
    for (const Resolution& refused : {Run(text), Run("{not-a-class-id-at-all-but-38-chars!!}", &engine)}) {
        EXPECT_TRUE(FAILED(refused.hr));
        EXPECT_EQ(1, refused.error);
    }
    // A file resolves for the engine too, as a file.
    got = Run("servicestest_probe", &engine);
    ASSERT_EQ(S_OK, got.hr);
    EXPECT_EQ(0, got.kind);
    EXPECT_EQ(ProbePath(), got.path);
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
    EXPECT_TRUE(ProbeClsid() == info.clsid);

    ASSERT_NE(nullptr, info.hBitmap);
    DIBSECTION section{};
    EXPECT_EQ(static_cast<int>(sizeof section), ::GetObjectA(info.hBitmap, sizeof section, &section));
    EXPECT_EQ(16, section.dsBm.bmWidth);
    EXPECT_EQ(15, section.dsBm.bmHeight);
    // Outputs the caller leaves out are skipped.
    EXPECT_EQ(S_OK, Resolve<PFN_GETRUNMACRO>("GetRunMacro")(nullptr, nullptr, "servicestest_probe", nullptr, nullptr,
                                                            nullptr, nullptr, 0, 0, 1, 1));
    EXPECT_EQ(S_OK, Resolve<PFN_GETRUNMACROINFORMATION>("GetRunMacroInformation")(
                        "servicestest_probe", nullptr, nullptr, nullptr, 50, nullptr, 200, nullptr, nullptr, nullptr));
}

TEST_F(MacroHost, TextsAreCutToTheirBuffers)
{
    Information info = Describe(ProbePath().c_str(), 5, 3);
    ASSERT_EQ(S_OK, info.hr);
    EXPECT_EQ("Prob", info.name);
    EXPECT_EQ("Pr", info.tip);
    EXPECT_TRUE(info.guardsIntact);

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

    // {by program ID or by file name, text, result}: a success gives the probe's class id.
    const PFN_UMACROCLSIDFROMPROGID lookups[] = {Resolve<PFN_UMACROCLSIDFROMPROGID>("UMacroCLSIDFromProgID"),
                                                 Resolve<PFN_UMACROCLSIDFROMFILENAME>("UMacroCLSIDFromFileName")};
    const std::string probe = ProbePath();
    // clang-format off
    const std::tuple<int, const char*, HRESULT> cases[] = {
        {0, "Macro.servicestest_probe", S_OK}, {1, "servicestest_probe.jmac", S_OK}, {1, probe.c_str(), S_OK},
        {0, "servicestest_probe", REGDB_E_CLASSNOTREG}, {0, "Macro.nosuchmacro", REGDB_E_CLASSNOTREG},
        {1, "Macro.servicestest_probe", E_FAIL}, {1, "{6B1C3C2E-5A0F-4C1B-9E41-3D2A7F0C1A01}", E_FAIL},
        {1, nullptr, E_FAIL}};
    // clang-format on
    const CLSID resolved = ProbeClsid();
    for (const auto& [by, text, result] : cases) {
        CLSID clsid = {1, 0, 0, {}};
        EXPECT_EQ(result, lookups[by](text, &clsid)) << by << (text ? text : "(null)");
        EXPECT_TRUE((result == S_OK ? resolved : GUID_NULL) == clsid) << by << (text ? text : "(null)");
    }
}

TEST_F(MacroHost, DamagedFilesGiveWhatCanBeRead)
{
    struct Case {
        const char* file;
        const char* name;
        const char* tip;
        int transparent;   // -1: no picture
    };
    // The last is the corpus's one intact file, for contrast: its picture loads.
    // clang-format off
    const Case cases[] = {
        {"missing_keys.jmac", "", "", -1}, {"long_line.jmac", "After a long line", "", -1},
        {"binary_junk.jmac", "Found in junk", nullptr, -1}, {"no_newline.jmac", "Last line", "", -1},
        {"bom_crlf.jmac", "Spaced name", "Upper case key", -1}, {"bad_picture.jmac", "Bad picture", "", -1},
        {"outside_picture.jmac", "Outside picture", "", -1}, {"empty.jmac", "", "", -1},
        {"good.jmac", "Good macro", nullptr, (int)RGB(192, 192, 192)},
    };
    // clang-format on
    for (const Case& test : cases) {
        const Information info = Describe((LPCSTR)BesideProgram(CString("testdata\\macros\\") + test.file));
        EXPECT_EQ(S_OK, info.hr) << test.file;
        EXPECT_EQ(test.name, info.name) << test.file;
        if (test.tip) {
            EXPECT_EQ(test.tip, info.tip) << test.file;
        }
        EXPECT_EQ(test.transparent != -1, info.hBitmap != nullptr) << test.file;
        EXPECT_EQ(test.transparent, info.transparent) << test.file;
        EXPECT_TRUE(info.guardsIntact) << test.file;
    }
}

TEST_F(MacroHost, HugeFilesAreReadOnlyInPart)
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    const auto path = [&folder](const char* name) { return std::string(folder) + name; };
    // A line that the 64 KiB limit cuts is not taken cut.
    std::string padding;
    while (padding.size() < 64 * 1024 - 8)
        padding += "; padding line\n";
    padding.resize(64 * 1024 - 8);
    padding.back() = '\n';
    for (const auto& [line, name] : {std::pair{"Name=Cut in two\n", ""}, std::pair{"Name=1\n", "1"}}) {
        ASSERT_TRUE(WriteFile(path("servicestest_cut_line.jmac"), padding + line));
        EXPECT_EQ(name, Describe(path("servicestest_cut_line.jmac").c_str()).name);
    }
    ASSERT_TRUE(WriteFile(path("servicestest_huge_line.jmac"), "Name=Huge\n" + std::string(10 * 1024 * 1024, 'z')));
    std::string bytes(10 * 1024 * 1024, '\0');
    unsigned state = 12345;
    for (char& ch : bytes) {
        state = state * 1103515245u + 12345u;
        ch = static_cast<char>(state >> 24);
    }
    ASSERT_TRUE(WriteFile(path("servicestest_huge_junk.jmac"), bytes + "\nName=Too far to be read\n"));

    const DWORD start = ::GetTickCount();
    const Information huge = Describe(path("servicestest_huge_line.jmac").c_str());
    EXPECT_EQ(S_OK, huge.hr);
    EXPECT_EQ("Huge", huge.name);
    const Information junk = Describe(path("servicestest_huge_junk.jmac").c_str());
    EXPECT_EQ(S_OK, junk.hr);
    EXPECT_NE("Too far to be read", junk.name);
    EXPECT_TRUE(junk.guardsIntact);
    EXPECT_LT(::GetTickCount() - start, 5000u);
    for (const char* name :
         {"servicestest_cut_line.jmac", "servicestest_huge_line.jmac", "servicestest_huge_junk.jmac"})
        ::DeleteFileA(path(name).c_str());
}

// Describes a macro beside the picture corpus that names one picture.
class MacroPictures : public MacroHost {
protected:
    static std::string Folder() { return (LPCSTR)BesideProgram("testdata\\macros\\pictures"); }
    static std::string MacroPath() { return Folder() + "\\servicestest_probe.jmac"; }
    static Information PictureOf(const std::string& file)
    {
        WriteFile(MacroPath(), "Name=Picture probe\nBitmap=" + file + "\n");
        return Describe(MacroPath().c_str());
    }
    void TearDown() override { ::DeleteFileA(MacroPath().c_str()); }
};

TEST_F(MacroPictures, DamagedPicturesGiveNoPictureAndUnusualSoundOnesLoad)
{
    // Damaged: headers that disagree with the file or say absurd sizes.
    for (const char* file :
         {"wide_header.bmp", "short_pixels.bmp", "huge_rle.bmp", "rle_top_down.bmp", "offset_past_end.bmp",
          "palette_overflow.bmp", "header_size_huge.bmp", "truncated_header.bmp", "negative_width.bmp",
          "height_int_min.bmp", "odd_bit_count.bmp", "jpeg_inside.bmp", "bitfields_cut.bmp", "no_planes.bmp"}) {
        EXPECT_EQ(nullptr, PictureOf(file).hBitmap) << file;
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
        const Information picture = PictureOf(test.file);
        const HBITMAP hBitmap = picture.hBitmap;
        ASSERT_NE(nullptr, hBitmap) << test.file;
        BITMAP bitmap{};
        ::GetObjectA(hBitmap, sizeof bitmap, &bitmap);
        EXPECT_EQ(test.width, bitmap.bmWidth) << test.file;
        EXPECT_EQ(test.height, bitmap.bmHeight) << test.file;
        EXPECT_EQ(test.colour, image_test::PixelOf(hBitmap, test.x, test.y)) << test.file;
    }
}

// Seeded mutations of sound pictures; MACRO_PICTURE_FUZZ_RUNS and _SEED make a long or repeated run,
// and a crash leaves its input as servicestest_fuzz.bmp beside the corpus.
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
        if (const Information picture = PictureOf("servicestest_fuzz.bmp"); picture.hBitmap) {
            BITMAP bitmap{};
            ::GetObjectA(picture.hBitmap, sizeof bitmap, &bitmap);
            EXPECT_LE(bitmap.bmWidth, 1024) << "run " << run;
            EXPECT_LE(bitmap.bmHeight, 1024) << "run " << run;
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
    }
}

}   // namespace
