// The real services that only the system can answer: the file backend (attributes, a replace
// that is whole or nothing, temporaries left by killed writers), pictures, the registry,
// version names, shortcuts, the ANSI code page and the running programs. The hot key is a
// journey's.
#include <shlobj.h>

#include <memory>

#include "platform/text.h"
#include "platform/win32/win32_services.h"
#include "store/data_files.h"
#include "store/ini.h"
#include "tests/native/picture_samples.h"
#include "tests/windows/window_probe.h"
#include "tree/portable_apps.h"

namespace {

using Pixels = std::vector<std::uint32_t>;
using namespace quopa::testing;
using namespace std::string_literals;
using platform::Wide;
using quopa::AppsFile;

class Win32FilesTest : public ::testing::Test {
  protected:
    ~Win32FilesTest() override { RemoveDirectoryW(Wide(folder).c_str()); }
    std::string Bytes(const std::string& path) {
        std::string bytes;
        return files.ReadAll(path, bytes) ? bytes : "<none>";
    }
    static void Remove(const std::string& path) {
        SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Wide(path).c_str());
    }

    // Names no single code page holds: Cyrillic folder, Japanese files.
    const std::string folder = TempFolder("quopa_файлы_");
    platform::Win32Files files;
    platform::Win32CodePage codePage;
    quopa::modINI ini{files, codePage};
};

// Under Wine the system's writer changes a read-only file; ours leaves it alone.
TEST_F(Win32FilesTest, ReplacesAtomicallyKeepingAttributesExceptReadOnlyFiles) {
    const std::string path = AppsFile(folder + "\\");  // doubled separator, as at a root
    ASSERT_TRUE(files.ReplaceAtomically(path, "old"));
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(files.ReplaceAtomically(path, "[A]\r\n\0"s));
    EXPECT_EQ(files.Query(path).size, 6u);
    EXPECT_TRUE(GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);

    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ini.WriteIni("A", "x", "2", path));
    EXPECT_EQ(Bytes(path), "[A]\r\n\0"s);
    EXPECT_FALSE(files.ReplaceAtomically(folder + "\\missing\\f.dat", "x"));
    EXPECT_FALSE(files.ReplaceAtomically(folder, "x"));
    std::vector<platform::FolderEntry> entries;
    files.ListFolder(folder, entries);
    EXPECT_EQ(entries.size(), 1u) << "a temporary file was left behind";
    Remove(path);
}

// Leftovers of killed writers go at the next write; one a live writer holds open stays,
// and its name, though it is ours, is no obstacle.
TEST_F(Win32FilesTest, ClearsStaleTemporariesAndSkipsTakenNames) {
    const std::string file = folder + "\\日本 f.dat";
    const std::string ours = file + ".~" + std::to_string(GetCurrentProcessId()) + "-";
    const std::string gone[] = {ours + "2.tmp", folder + "\\日本 F.DAT.~77-3.tmp"};
    const std::string kept[] = {ours + "1.tmp", folder + "\\g.dat.~1-1.tmp", file + ".~x-1.tmp"};
    for (const std::string& path : {file, gone[0], gone[1], kept[0], kept[1], kept[2]})
        ASSERT_TRUE(files.ReplaceAtomically(path, "leftover"));
    HANDLE held = CreateFileW(Wide(kept[0]).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_TRUE(platform::Win32Files().ReplaceAtomically(file, "new"));  // its first write there
    EXPECT_EQ(Bytes(file), "new");
    for (const std::string& path : gone) EXPECT_EQ(Bytes(path), "<none>") << path;
    CloseHandle(held);
    for (const std::string& path : kept) EXPECT_EQ(Bytes(path), "leftover") << path;
    for (const std::string& path : {file, kept[0], kept[1], kept[2]}) Remove(path);
}

// A job given while one runs is queued, not waited for: a command never waits for the last
// command's version. They run in order, on files of their own.
TEST_F(Win32FilesTest, BackgroundJobsQueueBehindARunningOneAndRunInOrder) {
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::string order;
    files.InBackground([&](platform::Files&) {
        WaitForSingleObject(release, 10000);
        order += "1";
    });
    files.InBackground([&](platform::Files& own) { order += &own == &files ? "x" : "2"; });
    order += "0";
    SetEvent(release);
    files.WaitForBackground();
    EXPECT_EQ(order, "012");
    CloseHandle(release);
}

// A package written in UTF-16, in a folder named beyond ASCII, is found with its name whole.
TEST_F(Win32FilesTest, APackageInUtf16IsFoundWithItsName) {
    const std::string app = folder + "\\Caf\xC3\xA9", info = app + "\\App\\AppInfo";
    for (const std::string& dir : {app, app + "\\App", info})
        CreateDirectoryW(Wide(dir).c_str(), nullptr);
    std::string wide = "\xFF\xFE";  // '@': a character the page lacks
    for (const char c : "[Details]\r\nName=Caf\xE9 @\r\n[Control]\r\nStart=x.exe\r\n"s)
        wide += c == '@' ? "\xE5\x65"s : std::string{c, '\0'};
    ASSERT_TRUE(files.ReplaceAtomically(info + "\\appinfo.ini", wide));
    quopa::PortableAppsScan scan(files, codePage);
    scan.Start(folder);
    scan.Slice(std::chrono::hours(1));
    ASSERT_EQ(scan.Apps().size(), 1u);
    EXPECT_EQ(scan.Apps()[0].name + "|" + scan.Apps()[0].program,
              "Caf\xC3\xA9 \xE6\x97\xA5|" + app + "\\x.exe");
    Remove(info + "\\appinfo.ini");
    for (const std::string& dir : {info, app + "\\App", app}) RemoveDirectoryW(Wide(dir).c_str());
}

constexpr platform::PictureRead kRead = platform::PictureRead::Ok;

TEST(PicturesService, EachKindLoadsThroughTheSystemAndWhatIsNoPictureIsRefused) {
    const std::string folder = TempFolder("quopa_pictures_") + "\\";
    platform::Win32Files files;
    platform::Win32Pictures pictures{files};
    platform::Image ours{5, 3, {}};
    for (std::uint32_t i = 0; i < 15; ++i) ours.pixels.push_back(0x0F1E2Du * (i + 1) & 0xFFFFFF);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);  // what a transparent pixel shows
    const std::uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    const struct {
        const char* name;
        std::string bytes;
        Pixels pixels;  // none: refused
        int width = 1, height = 1;
    } cases[] = {
        {"ours.bmp", platform::EncodeBmp(ours), ours.pixels, 5, 3},
        {"t.gif", Gif(true), {0xFF0000, faceRgb}, 2, 1},
        {"a.txt", "This version of quopa is up to date.", {}},
        // A JPEG claiming 65500 x 65500 has ended the process inside the system's decoder.
        {"huge.jpg", Jpeg(65500), {}},
        {"missing.bmp", "", {}},
    };
    for (const auto& c : cases) {
        if (!c.bytes.empty()) std::ofstream(folder + c.name, std::ios::binary) << c.bytes;
        platform::Image loaded;
        EXPECT_EQ(pictures.Load(folder + c.name, c.width, c.height, loaded) == kRead,
                  !c.pixels.empty())
            << c.name;
        EXPECT_EQ(loaded.pixels, c.pixels) << c.name;
        DeleteFileA((folder + c.name).c_str());
    }
    // A camera's size (one block of grey stands for the frame), read into the avatar's square.
    std::ofstream(folder + "a.jpg", std::ios::binary) << Jpeg(6000, 4000);
    platform::Image grey, none;
    EXPECT_TRUE(pictures.Load(folder + "a.jpg", 37, 37, grey) == kRead &&
                grey.pixels.size() == 37u * 37u);
    for (std::uint32_t p : grey.pixels)  // a decoder's grey may be a step off
        EXPECT_TRUE(p % 0x10101 == 0 && abs(int(p & 0xFF) - 128) <= 2) << p;
    DeleteFileA((folder + "a.jpg").c_str());
    EXPECT_FALSE(pictures.Load(folder, 8, 8, none) == kRead || !none.Empty());
    RemoveDirectoryA(folder.c_str());
}

// Text written through the wide function, which stores exactly the bytes it is given, has
// no closing zero to stop at.
TEST(RegistryService, TextComesBackWithoutOverrunAndWhatIsMissingOrTooLargeIsRefused) {
    using platform::RegistryRead;
    const std::string path =
        "Software\\QuopaTests\\Registry" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExW(key, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\Tools"), 16);
    const std::string large(1025, 'y');
    RegSetValueExA(key, "Long", 0, REG_BINARY, reinterpret_cast<const BYTE*>(large.data()), 1025);
    platform::Win32Registry registry;
    platform::RegistryValue v;
    const auto read = [&](const std::string& name, const std::string& at = "") {
        return registry.Read(platform::RegistryRoot::CurrentUser, path + at, name, 1024, v);
    };
    EXPECT_EQ(read("nonul"), RegistryRead::Found);
    EXPECT_TRUE(v.type == REG_SZ && v.bytes.starts_with("C:\\Tools") && v.bytes.size() <= 9u);
    v = {platform::kRegDword, "keep"};
    EXPECT_EQ(read("Long"), RegistryRead::TooLarge);
    EXPECT_NE(read("Long", "\\Nowhere"), RegistryRead::Found);
    EXPECT_EQ(v.bytes, "keep");
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    EXPECT_EQ(
        registry.Read(platform::RegistryRoot::LocalMachine,  // where the info tool is
                      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", 1024, v),
        RegistryRead::Found);
}

TEST(HotkeyService, ACombinationHeldElsewhereIsRefusedAndFreedOnUnregisterOrSuspension) {
    const platform::KeyCombo ctrlShiftF11{platform::kModControl | platform::kModShift, VK_F11};
    platform::Win32Hotkey first, second;
    ASSERT_TRUE(first.Register(ctrlShiftF11, [] {}));
    EXPECT_FALSE(second.Register(ctrlShiftF11, [] {}));
    first.Suspend(true);
    EXPECT_TRUE(second.Register(ctrlShiftF11, [] {}));
    second.Unregister();
    first.Suspend(false);
    EXPECT_FALSE(second.Register(ctrlShiftF11, [] {})) << "held again";
}

// The launcher, built beside this test, carries version information of its own.
TEST(FileVersionsService, NamesComeFromTheVersionInformation) {
    platform::Win32FileVersions versions;
    EXPECT_EQ(versions.Names(Beside("quopa.exe")).fileDescription, "Quopa Application Launcher");
    EXPECT_TRUE(versions.Names("C:\\no such file.exe").productName.empty());
}

// A shortcut with a Japanese name, to a program started in a Cyrillic folder, reads back
// whole (Wine keeps its target in the code page: that stays ASCII); a program there with a
// Japanese and Tamil name starts in the folder by either route. A file that is no shortcut
// gives nothing.
TEST(ShellService, AProgramNamedBeyondTheCodePageIsReadFromItsShortcutAndStarted) {
    const std::string folder = TempFolder("quopa_Папка_"), link = folder + "\\道具.lnk";
    const std::string program = folder + "\\日本語 தமிழ்.exe";
    ASSERT_TRUE(
        CopyFileW(Wide(Beside("quopa_icon_program.exe")).c_str(), Wide(program).c_str(), 0));
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkW* made = nullptr;
    IPersistFile* file = nullptr;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     reinterpret_cast<void**>(&made));
    made->SetPath(Wide(Beside("quopa.exe")).c_str());
    made->SetArguments(L"-new \"a b\"");
    made->SetWorkingDirectory(Wide(folder).c_str());
    made->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    EXPECT_EQ(file->Save(Wide(link).c_str(), TRUE), S_OK);
    file->Release();
    made->Release();
    CoUninitialize();
    platform::Win32Services services{WM_APP + 1};
    const auto got = services.shell.ReadShortcut(link);
    ASSERT_TRUE(got && platform::EqualsIgnoringCase(got->path, Beside("quopa.exe")));
    EXPECT_EQ(got->arguments + "|" + got->folder, "-new \"a b\"|" + folder);
    EXPECT_FALSE(services.shell.ReadShortcut(program));
    EXPECT_GT(services.shell.Execute(0, "open", program, "", folder, SW_HIDE), 32);
    EXPECT_TRUE(services.shell.StartProcess("\"" + program + "\"", SW_HIDE, folder));
    Sleep(500);  // the program ends at once, and its file is free again
    for (const std::string& path : {link, program}) DeleteFileW(Wide(path).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
}

// Unknown characters become the default one, never a near letter; capitals of every script
// fold.
TEST(CodePageService, TextConvertsAndFoldsAsTheSystemDoes) {
    EXPECT_EQ(platform::Win32Desktop().LowerCase("\xC3\x89"
                                                 "COLE \xC5\xA0\xC5\xB8\xC3\x97 "
                                                 "\xD0\x94\xD0\x9E\xD0\x9C \xCE\xA3"),
              "\xC3\xA9"
              "cole \xC5\xA1\xC3\xBF\xC3\x97 \xD0\xB4\xD0\xBE\xD0\xBC \xCF\x83");
    if (GetACP() != 1252) GTEST_SKIP() << "the other cases are written for Windows-1252";
    platform::Win32CodePage page;
    EXPECT_EQ(page.AnsiFromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5 \xC4\x81"),
              "Caf\xE9 \x80 ? ?");
    EXPECT_EQ(page.Utf8FromAnsi("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
}

// A listed program asked to close closes its windows; one held suspended is ended.
TEST(RunningProgramsService, AListedProgramIsAskedToCloseOrEndedThroughItsHandle) {
    for (const bool ask : {true, false}) {
        STARTUPINFOA si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        std::string line = ask ? "notepad.exe" : "\"" + Beside("quopa_icon_program.exe") + "\"";
        ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                                   ask ? 0 : CREATE_SUSPENDED, nullptr, nullptr, &si, &pi));
        CloseHandle(pi.hThread);
        if (ask) WaitForInputIdle(pi.hProcess, 10000);
        std::vector<std::unique_ptr<platform::HeldProgram>> all;
        EXPECT_TRUE(platform::Win32RunningPrograms().List(all));
        std::erase_if(all, [&](const auto& p) { return p->Info().id != pi.dwProcessId; });
        ASSERT_EQ(all.size(), 1u) << line;
        EXPECT_EQ(all[0]->State(), platform::ProgramState::Running);
        const bool ended = ask ? (all[0]->AskToClose(), true) : all[0]->End();
        EXPECT_TRUE(ended);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000)) << line;
        EXPECT_EQ(all[0]->State(), platform::ProgramState::Gone);
        TerminateProcess(pi.hProcess, 0);
        CloseHandle(pi.hProcess);
    }
}

}  // namespace
