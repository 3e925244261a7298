// The real services that only the system can answer: pictures, the registry, the hot key,
// version names, the ANSI code page and the running programs.
#include <memory>
#include <utility>

#include "platform/win32/win32_services.h"
#include "tests/native/picture_samples.h"
#include "tests/windows/window_probe.h"

namespace {

using Pixels = std::vector<std::uint32_t>;
using namespace quopa::testing;

TEST(PicturesService, EachKindLoadsThroughTheSystemAndWhatIsNoPictureIsRefused) {
    const std::string folder = TempFolder("quopa_pictures_") + "\\";
    platform::Win32Files files;
    platform::Win32Pictures pictures{files};
    platform::Image ours{5, 3, {}};
    for (std::uint32_t i = 0; i < 15; ++i) ours.pixels.push_back(0x0F1E2Du * (i + 1) & 0xFFFFFF);
    BmpSample paletted{2, 1, 8};  // as other programs write them
    paletted.palette = {0x336699, 0xCC0000};
    paletted.rows = std::string("\x01\x00\0\0", 4);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);  // what a transparent pixel shows
    const std::uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    const struct {
        const char* name;
        std::string bytes;
        Pixels pixels;  // none: refused
    } cases[] = {
        {"ours.bmp", platform::EncodeBmp(ours), ours.pixels},
        {"paletted.bmp", paletted.Bytes(), {0xCC0000, 0x336699}},
        {"a.gif", Gif(false), {0xFF0000, 0x0000FF}},
        {"t.gif", Gif(true), {0xFF0000, faceRgb}},
        {"a.txt", "This version of quopa is up to date.", {}},
        // A JPEG claiming 65500 x 65500 has ended the process inside the system's decoder.
        {"huge.jpg", Jpeg(65500), {}},
    };
    for (const auto& c : cases) {
        std::ofstream(folder + c.name, std::ios::binary) << c.bytes;
        platform::Image loaded;
        EXPECT_EQ(pictures.Load(folder + c.name, loaded), !c.pixels.empty()) << c.name;
        EXPECT_EQ(loaded.pixels, c.pixels) << c.name;
        DeleteFileA((folder + c.name).c_str());
    }
    std::ofstream(folder + "a.jpg", std::ios::binary) << Jpeg();
    platform::Image grey, none;
    ASSERT_TRUE(pictures.Load(folder + "a.jpg", grey));
    ASSERT_EQ(std::pair(grey.width, grey.height), std::pair(8, 8));
    for (std::uint32_t p : grey.pixels)
        EXPECT_TRUE(p % 0x10101 == 0 && abs(int(p & 0xFF) - 128) <= 2) << p;
    DeleteFileA((folder + "a.jpg").c_str());
    for (const std::string& path : {folder + "missing.bmp", folder, std::string()})
        EXPECT_FALSE(pictures.Load(path, none)) << path;
    EXPECT_TRUE(none.Empty());
    RemoveDirectoryA(folder.c_str());
}

TEST(RegistryService, ValuesComeBackAsStoredWithTheirTypeAndWhatIsMissingOrTooLargeIsTold) {
    using platform::RegistryRead;
    const std::string path =
        "Software\\QuopaTests\\Registry" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key), ERROR_SUCCESS);
    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
    } values[] = {
        {"WithNul", REG_SZ, std::string("C:\\Tools\\info.exe\0", 18)},
        {"Number", REG_DWORD, std::string("\x05\x01\x00\x00", 4)},
        {"Binary", REG_BINARY, std::string("\x00\xFF\x10", 3)},
        {"Exact", REG_BINARY, std::string(1024, 'x')},
    };
    platform::Win32Registry registry;
    platform::RegistryValue v;
    const auto read = [&](const std::string& name, const std::string& at = "") {
        return registry.Read(platform::RegistryRoot::CurrentUser, path + at, name, 1024, v);
    };
    for (const auto& value : values) {
        RegSetValueExA(key, value.name, 0, value.type,
                       reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
        EXPECT_EQ(read(CharLowerA(std::string(value.name).data())), RegistryRead::Found);
        EXPECT_EQ(v.type, value.type);
        EXPECT_EQ(v.bytes, value.bytes) << value.name;
    }
    // Text written through the wide function, which stores exactly the bytes it is given.
    const std::wstring text = L"C:\\Tools";
    RegSetValueExW(key, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                   static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    ASSERT_EQ(read("NoNul"), RegistryRead::Found);
    EXPECT_EQ(v.bytes.substr(0, 8), "C:\\Tools");
    EXPECT_LE(v.bytes.size(), 9u);

    RegSetValueExA(key, "Long", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(std::string(2000, 'y').c_str()), 2001);
    v = {platform::kRegDword, "keep"};
    EXPECT_EQ(read("Long"), RegistryRead::TooLarge);
    EXPECT_EQ(read("Absent"), RegistryRead::NoValue);
    EXPECT_EQ(read("Number", "\\Nowhere"), RegistryRead::NoKey);
    EXPECT_EQ(v.bytes, "keep");
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    // The machine's own key, where the system information tool is looked up.
    EXPECT_EQ(
        registry.Read(platform::RegistryRoot::LocalMachine,
                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", 1024, v),
        RegistryRead::Found);
}

TEST(HotkeyService, ACombinationHeldElsewhereIsRefusedAndFreedOnUnregister) {
    const platform::KeyCombo ctrlShiftF11{platform::kModControl | platform::kModShift, VK_F11};
    platform::Win32Hotkey first, second;
    ASSERT_TRUE(first.Register(ctrlShiftF11, [] {}));
    EXPECT_FALSE(second.Register(ctrlShiftF11, [] {}));
    first.Unregister();
    EXPECT_TRUE(second.Register(ctrlShiftF11, [] {}));
    EXPECT_TRUE(first.Register({}, [] {})) << "no combination asks nothing of the system";
}

// The launcher, built beside this test, carries version information of its own.
TEST(FileVersionsService, NamesComeFromTheVersionInformation) {
    platform::Win32FileVersions versions;
    EXPECT_EQ(versions.Names(Beside("quopa.exe")).fileDescription, "Quopa Application Launcher");
    const platform::VersionNames none = versions.Names("C:\\no such file.exe");
    EXPECT_TRUE(none.fileDescription.empty() && none.productName.empty());
}

// Unknown characters become the default one, never a near letter; accented capitals fold.
TEST(CodePageService, TextConvertsAndFoldsAsTheSystemsAnsiCodePageDoes) {
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for Windows-1252";
    EXPECT_EQ(
        platform::Win32CodePage().AnsiFromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5 \xC4\x81"),
        "Caf\xE9 \x80 ? ?");
    EXPECT_EQ(platform::Win32Desktop().LowerCase("\xC9"
                                                 "COLE \x8A\x9F\xD7\xDF"),
              "\xE9"
              "cole \x9A\xFF\xD7\xDF");
}

TEST(RunningProgramsService, AListedProgramIsLookedAtAndEndedThroughItsHandle) {
    STARTUPINFOA si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + Beside("quopa_icon_program.exe") + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    std::vector<std::unique_ptr<platform::HeldProgram>> all;
    EXPECT_TRUE(platform::Win32RunningPrograms().List(all));
    std::unique_ptr<platform::HeldProgram> child;
    for (auto& p : all)
        if (p->Info().id == pi.dwProcessId) child = std::move(p);
    all.clear();
    EXPECT_NE(child, nullptr);
    if (child) {
        EXPECT_EQ(child->State(), platform::ProgramState::Running);
        EXPECT_TRUE(child->End());
        EXPECT_EQ(child->State(), platform::ProgramState::Gone);
    }
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hProcess);
}

TEST(RunningProgramsService, AProgramAskedToCloseClosesItsWindowsAndIsGone) {
    STARTUPINFOA si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::string line = "notepad.exe";
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    CloseHandle(pi.hThread);
    WaitForInputIdle(pi.hProcess, 10000);
    std::vector<std::unique_ptr<platform::HeldProgram>> all;
    EXPECT_TRUE(platform::Win32RunningPrograms().List(all));
    bool asked = false;
    for (auto& p : all) {
        if (p->Info().id != pi.dwProcessId) continue;
        asked = true;
        p->AskToClose();
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000));
        EXPECT_EQ(p->State(), platform::ProgramState::Gone);
    }
    EXPECT_TRUE(asked) << "the program is listed";
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hProcess);
}

}  // namespace
