// The real picture loading, registry reading and file-open dialog.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_registry.h"
#include "tests/native/picture_samples.h"
#include "tests/windows/window_probe.h"

namespace {

using platform::Image;
using quopa::testing::BmpSample;
using quopa::testing::Gif;
using quopa::testing::Jpeg;

std::string Folder() {
    return TempFolder("quopa_svc_") + "\\";
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class PicturesTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const char* name : {"a.bmp", "a.gif", "t.gif", "a.jpg", "a.txt"})
            DeleteFileA((folder_ + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    const std::string folder_ = Folder();
    platform::Win32Files files_;
    platform::Win32Pictures pictures_{files_};
};

TEST_F(PicturesTest, OurBmpFilesLoadThroughTheSystemPixelForPixel) {
    Image image{5, 3, {}};
    for (int i = 0; i < 15; ++i) image.pixels.push_back(0x0F1E2Du * (i + 1) & 0xFFFFFF);
    Write(folder_ + "a.bmp", platform::EncodeBmp(image));
    Image loaded;
    ASSERT_TRUE(pictures_.Load(folder_ + "a.bmp", loaded));
    EXPECT_EQ(loaded.width, 5);
    EXPECT_EQ(loaded.height, 3);
    EXPECT_EQ(loaded.pixels, image.pixels);

    // And an 8-bit paletted one written as other programs write them.
    BmpSample paletted{2, 1, 8};
    paletted.palette = {0x336699, 0xCC0000};
    paletted.rows = std::string("\x01\x00\0\0", 4);
    Write(folder_ + "a.bmp", paletted.Bytes());
    ASSERT_TRUE(pictures_.Load(folder_ + "a.bmp", loaded));
    EXPECT_EQ(loaded.pixels, (std::vector<std::uint32_t>{0xCC0000, 0x336699}));
}

TEST_F(PicturesTest, GifAndJpegLoadAndTransparencyShowsTheButtonFace) {
    Image loaded;
    Write(folder_ + "a.gif", Gif(false));
    ASSERT_TRUE(pictures_.Load(folder_ + "a.gif", loaded));
    EXPECT_EQ(loaded.pixels, (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));

    Write(folder_ + "t.gif", Gif(true));
    ASSERT_TRUE(pictures_.Load(folder_ + "t.gif", loaded));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    EXPECT_EQ(loaded.pixels, (std::vector<std::uint32_t>{0xFF0000, faceRgb}));

    Write(folder_ + "a.jpg", Jpeg());
    ASSERT_TRUE(pictures_.Load(folder_ + "a.jpg", loaded));
    ASSERT_EQ(loaded.width, 8);
    ASSERT_EQ(loaded.height, 8);
    for (std::uint32_t p : loaded.pixels) {
        EXPECT_NEAR(static_cast<int>(p & 0xFF), 128, 2);
        EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF) << "grey";
    }
}

TEST_F(PicturesTest, WhatIsNoPictureIsRefused) {
    Write(folder_ + "a.txt", "This version of quopa is up to date.");
    Image loaded;
    EXPECT_FALSE(pictures_.Load(folder_ + "a.txt", loaded));
    EXPECT_FALSE(pictures_.Load(folder_ + "missing.bmp", loaded));
    EXPECT_FALSE(pictures_.Load(folder_, loaded));
    EXPECT_FALSE(pictures_.Load("", loaded));
    EXPECT_TRUE(loaded.Empty());
}

// A JPEG claiming 65500 x 65500 has ended the process inside the system's decoder.
TEST_F(PicturesTest, APictureClaimingMorePixelsThanWeTakeNeverReachesTheDecoder) {
    Write(folder_ + "a.jpg", Jpeg(65500));
    Image loaded;
    EXPECT_FALSE(pictures_.Load(folder_ + "a.jpg", loaded));
    EXPECT_TRUE(loaded.Empty());
}

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    void Set(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    platform::RegistryRead Read(const std::string& name, platform::RegistryValue& value,
                                std::size_t max = 1024) {
        return registry_.Read(platform::RegistryRoot::CurrentUser, path_, name, max, value);
    }

    const std::string path_ =
        "Software\\QuopaTests\\Registry" + std::to_string(GetCurrentProcessId());
    HKEY key_ = nullptr;
    platform::Win32Registry registry_;
};

TEST_F(RegistryTest, ValuesComeBackAsStoredWithTheirType) {
    using platform::RegistryRead;
    Set("WithNul", REG_SZ, std::string("C:\\Tools\\info.exe\0", 18));
    Set("Number", REG_DWORD, std::string("\x05\x01\x00\x00", 4));
    Set("Binary", REG_BINARY, std::string("\x00\xFF\x10", 3));
    Set("Exact", REG_BINARY, std::string(1024, 'x'));
    Set("Long", REG_SZ, std::string(2000, 'y') + '\0');

    platform::RegistryValue v;
    ASSERT_EQ(Read("withnul", v), RegistryRead::Found) << "names ignore case";
    EXPECT_EQ(v.type, platform::kRegSz);
    EXPECT_EQ(v.bytes, std::string("C:\\Tools\\info.exe\0", 18));
    ASSERT_EQ(Read("Number", v), RegistryRead::Found);
    EXPECT_EQ(v.type, platform::kRegDword);
    EXPECT_EQ(v.bytes, std::string("\x05\x01\x00\x00", 4));
    ASSERT_EQ(Read("Binary", v), RegistryRead::Found);
    EXPECT_EQ(v.type, platform::kRegBinary);
    EXPECT_EQ(v.bytes, std::string("\x00\xFF\x10", 3));
    EXPECT_EQ(Read("Exact", v), RegistryRead::Found);
    EXPECT_EQ(v.bytes.size(), 1024u);

    platform::RegistryValue untouched{platform::kRegDword, "keep"};
    EXPECT_EQ(Read("Long", untouched), RegistryRead::TooLarge);
    EXPECT_EQ(Read("Absent", untouched), RegistryRead::NoValue);
    EXPECT_EQ(registry_.Read(platform::RegistryRoot::CurrentUser, path_ + "\\Nowhere", "Number",
                             1024, untouched),
              RegistryRead::NoKey);
    EXPECT_EQ(untouched.bytes, "keep");

    // The machine's own key, where the system information tool is looked up.
    EXPECT_EQ(registry_.Read(platform::RegistryRoot::LocalMachine,
                             "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion",
                             1024, v),
              RegistryRead::Found);
}

TEST_F(RegistryTest, TextStoredWithoutItsNulComesBackWhole) {
    // Written through the wide function, which stores exactly the bytes it is given.
    const std::wstring text = L"C:\\Tools";
    ASSERT_EQ(RegSetValueExW(key_, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                             static_cast<DWORD>(text.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    platform::RegistryValue v;
    ASSERT_EQ(Read("NoNul", v), platform::RegistryRead::Found);
    EXPECT_EQ(v.bytes.substr(0, 8), "C:\\Tools");
    EXPECT_LE(v.bytes.size(), 9u);
}

// Shows the dialog; `user` runs on another thread with the dialog's window once it is up.
template <class User>
platform::FileDialogResult OpenWith(platform::OpenFileArgs args, User user) {
    args.title = "Quopa dialog test " + std::to_string(GetCurrentProcessId());
    std::atomic<bool> done{false};
    std::thread thread([&] {
        for (int i = 0; i < 200 && !done; ++i) {
            if (HWND dialog = FindWindowA("#32770", args.title.c_str())) {
                user(dialog);
                return;
            }
            Sleep(50);
        }
    });
    platform::Win32FileDialog dialog;
    platform::FileDialogResult result = dialog.Open(args);
    done = true;
    thread.join();
    return result;
}

TEST(FileDialogTest, CancelIsToldApartFromAChoice) {
    const std::string folder = Folder();
    Write(folder + "pick.bmp", "BM");
    platform::OpenFileArgs args;
    args.filter = "Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg";
    args.flags = 0x281004;
    args.initialFolder = folder;

    platform::FileDialogResult cancelled =
        OpenWith(args, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(cancelled.outcome, platform::FileDialogOutcome::Cancelled);
    EXPECT_EQ(cancelled.error, platform::kFileDialogCancelError);

    platform::FileDialogResult chosen = OpenWith(args, [&](HWND dialog) {
        SetDlgItemTextA(dialog, cmb13, (folder + "pick.bmp").c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(chosen.outcome, platform::FileDialogOutcome::Chosen);
    EXPECT_EQ(chosen.fileName, folder + "pick.bmp");
    EXPECT_EQ(chosen.fileTitle, "pick.bmp");

    DeleteFileA((folder + "pick.bmp").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(FileDialogTest, AFailureCarriesItsCodeAndText) {
    platform::OpenFileArgs args;
    args.flags = 0x281004 | OFN_ENABLETEMPLATE;  // a template that is not there
    platform::FileDialogResult result =
        OpenWith(args, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(result.outcome, platform::FileDialogOutcome::Failed);
    EXPECT_EQ(result.error, CDERR_FINDRESFAILURE);
    EXPECT_EQ(result.errorText, platform::FileDialogErrorText(CDERR_FINDRESFAILURE));
    EXPECT_EQ(result.errorText.find("code"), std::string::npos) << "a known failure is worded";
}

}  // namespace
