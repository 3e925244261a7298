#pragma once
// The apps file the tree benchmarks load: 20 stored categories plus the main one, a third
// of the items links, the rest programs and documents of six file types.
#include <string>

inline std::string BenchAppsFile(int items) {
    const char* types[] = {".exe", ".exe", ".txt", ".pdf", ".bat", ".exe"};
    std::string text;
    for (int c = 1; c <= 20; ++c)
        text +=
            "[Category" + std::to_string(c) + "]\r\nName=Category " + std::to_string(c) + "\r\n";
    for (int n = 1; n <= items; ++n) {
        std::string category = n % 21 == 0 ? "Quopa" : "Category " + std::to_string(n % 21);
        bool link = n % 3 == 0;
        std::string path = link ? "http://example.org/" + std::to_string(n)
                                : "%drive%\\Apps\\Tool" + std::to_string(n) + types[n % 6];
        text += "[Application" + std::to_string(n) + "]\r\nName=Item " + std::to_string(n) +
                "\r\nDescription=Item number " + std::to_string(n) + "\r\nPath=" + path +
                "\r\nCategory=" + category + "\r\nAutorun=0\r\nType=" + (link ? "1" : "0") +
                "\r\nParameters=\"\"\r\nStartIn=%drive%\\Apps\\\r\nWindowStyle=Normal\r\n";
    }
    return text;
}
