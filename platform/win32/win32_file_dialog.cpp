#include "platform/win32/win32_file_dialog.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/win32/win32_code_page.h"

namespace platform {
namespace {

// Room for any path a program can be started from, and then some.
constexpr std::size_t kNameBuffer = 4096;

const wchar_t* OrNull(const std::wstring& s) {
    return s.empty() ? nullptr : s.c_str();
}

}  // namespace

std::string FileDialogErrorText(unsigned long code) {
    switch (code) {
        case CDERR_DIALOGFAILURE:
            return "The dialog box could not be created.";
        case CDERR_INITIALIZATION:
            return "The dialog box could not be initialised.";
        case CDERR_MEMALLOCFAILURE:
        case CDERR_MEMLOCKFAILURE:
            return "Not enough memory for the dialog box.";
        case CDERR_NOTEMPLATE:
        case CDERR_FINDRESFAILURE:
        case CDERR_LOADRESFAILURE:
        case CDERR_LOCKRESFAILURE:
            return "The dialog box template could not be loaded.";
        case CDERR_NOHINSTANCE:
        case CDERR_NOHOOK:
            return "The dialog box was asked for a part it was not given.";
        case CDERR_STRUCTSIZE:
            return "The dialog box was called with a wrong structure size.";
        case FNERR_INVALIDFILENAME:
            return "The file name is not valid.";
        case FNERR_BUFFERTOOSMALL:
            return "The file name is too long.";
        case FNERR_SUBCLASSFAILURE:
            return "The list box could not be set up.";
        default:
            break;
    }
    char digits[16];
    std::string hex(digits, std::to_chars(digits, digits + sizeof digits, code, 16).ptr);
    for (char& c : hex) c = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
    return "The file dialog failed (code 0x" + hex + ").";
}

FileDialogResult Win32FileDialog::Open(const OpenFileArgs& args) {
    // The system takes the filter as NUL-separated parts ending in two NULs.
    std::wstring filter = Wide(args.filter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');

    const std::wstring name = Wide(args.fileName);
    std::vector<wchar_t> file(std::max(kNameBuffer, name.size() + 1), L'\0');
    std::copy(name.begin(), name.end(), file.begin());
    std::vector<wchar_t> title(kNameBuffer, L'\0');
    const std::wstring initialFolder = Wide(args.initialFolder);
    const std::wstring caption = Wide(args.title);

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = reinterpret_cast<HWND>(args.owner);
    ofn.lpstrFilter = args.filter.empty() ? nullptr : filter.data();
    ofn.nFilterIndex = static_cast<DWORD>(args.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = OrNull(initialFolder);
    ofn.lpstrTitle = OrNull(caption);
    // The dialog would otherwise leave the process in the folder browsed to, holding that
    // drive in use after the user pulls it, and note the stick's files in the PC's recent lists.
    ofn.Flags = args.flags | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;

    FileDialogResult result;
    if (GetOpenFileNameW(&ofn)) {
        result.outcome = FileDialogOutcome::Chosen;
        result.fileName = Utf8(file.data());
        result.fileTitle = Utf8(title.data());
        return result;
    }
    // No extended error means the user closed the dialog.
    const DWORD code = CommDlgExtendedError();
    if (code == 0) {
        result.error = kFileDialogCancelError;
        return result;
    }
    result.outcome = FileDialogOutcome::Failed;
    result.error = static_cast<int>(code);
    result.errorText = FileDialogErrorText(code);
    return result;
}

}  // namespace platform
