#include "platform/win32/win32_file_versions.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/win32_code_page.h"

namespace platform {

namespace {

struct Translation {
    WORD language;
    WORD codePage;
};

std::string Value(const std::vector<char>& block, const Translation& t, const char* name) {
    const auto hex4 = [](WORD v) {
        const char* digit = "0123456789abcdef";
        return std::string{digit[v >> 12], digit[v >> 8 & 15], digit[v >> 4 & 15], digit[v & 15]};
    };
    const std::string query =
        "\\StringFileInfo\\" + hex4(t.language) + hex4(t.codePage) + "\\" + name;
    wchar_t* text = nullptr;
    UINT length = 0;  // in characters
    if (!VerQueryValueW(block.data(), Wide(query).c_str(), reinterpret_cast<void**>(&text),
                        &length) ||
        !text)
        return {};
    return Utf8({text, wcsnlen(text, length)});
}

}  // namespace

// The first translation the file lists, then US English in Unicode and in the Western code
// page: files whose list is missing or wrong still carry those.
VersionNames Win32FileVersions::Names(const std::string& path) {
    DWORD ignored = 0;
    const std::wstring file = Wide(path);
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return {};
    std::vector<Translation> tries;
    Translation* listed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&listed), &length) &&
        listed && length >= sizeof(Translation))
        tries.push_back(*listed);
    tries.push_back({0x0409, 0x04B0});
    tries.push_back({0x0409, 0x04E4});
    VersionNames names;
    for (const Translation& t : tries) {
        if (names.fileDescription.empty())
            names.fileDescription = Value(block, t, "FileDescription");
        if (names.productName.empty()) names.productName = Value(block, t, "ProductName");
    }
    return names;
}

}  // namespace platform
