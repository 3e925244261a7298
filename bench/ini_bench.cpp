// A full tree load's reads over a 9999-item apps file: our engine, and under Windows
// (or Wine) the system's profile functions on the same file for comparison.
// Prints figures only; a slow run never fails. With the argument "utf8" the file is UTF-8
// with its mark and every name Cyrillic.
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "store/data_files.h"
#include "store/ini.h"
#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#else
#include <stdlib.h>

#include <filesystem>

#include "platform/headless/headless_code_page.h"
#include "platform/headless/host_files.h"
#endif

namespace {

constexpr int kItems = 9999;
constexpr int kCategories = 20;
constexpr int kWrites = 20;
constexpr int kSystemSampleItems = 250;  // 2000 reads: the system takes ~0.25 ms each
const char* const kTreeKeys[] = {"Name", "Path",       "Category", "Autorun",
                                 "Type", "Parameters", "StartIn",  "WindowStyle"};

std::string AppsFileBytes(bool utf8) {
    // "Programme number" in Russian.
    const std::string named = utf8 ? "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC"
                                     "\xD0\xBC\xD0\xB0 \xD0\xBD\xD0\xBE\xD0\xBC\xD0\xB5\xD1\x80 "
                                   : "Application number ";
    std::string out = utf8 ? "\xEF\xBB\xBF" : "";
    for (int c = 1; c <= kCategories; ++c)
        out += "[Category" + std::to_string(c) + "]\r\nName=Category " + std::to_string(c) + "\r\n";
    for (int n = 1; n <= kItems; ++n) {
        const std::string id = std::to_string(n);
        out += "[Application" + id + "]\r\nName=" + named + id + "\r\nDescription=What item " + id +
               " does" + "\r\nPath=%drive%\\Apps\\Tool" + id + "\\tool" + id +
               ".exe\r\nCategory=Category " + std::to_string(n % kCategories + 1) +
               "\r\nAutorun=0\r\nType=0\r\nParameters=\"-a -b\"\r\nStartIn=%drive%\\Apps\\Tool" +
               id + "\\\r\nWindowStyle=Normal\r\n";
    }
    return out;
}

class Stopwatch {
  public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The reads of a tree load: categories up to the first without a name, then the
// eight keys of each item. Returns the number of calls.
template <class Read>
long TreeLoad(Read read, int items) {
    long calls = 0;
    for (int c = 1;; ++c) {
        ++calls;
        if (read("Category" + std::to_string(c), "Name").empty() || c >= items) break;
    }
    for (int n = 1; n <= items; ++n) {
        for (const char* key : kTreeKeys) {
            ++calls;
            read("Application" + std::to_string(n), key);
        }
    }
    return calls;
}

void Row(const char* what, long calls, double seconds) {
    std::printf("%-34s %8ld %10.4f %12.2f\n", what, calls, seconds, seconds * 1e6 / calls);
}

}  // namespace

int main(int argc, char** argv) {
    const bool utf8 = argc > 1 && std::string(argv[1]) == "utf8";
#ifdef _WIN32
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "quopa_ini_bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    platform::Win32Files files;
    platform::Win32CodePage codePage;
#else
    char pattern[] = "/tmp/quopa_ini_bench_XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    platform::HostFiles files;
    platform::HeadlessCodePage codePage;
    files.MapDrive('E', pattern);
    const std::string folder = "E:\\";
#endif
    const std::string path = quopa::AppsFile(folder);
    const std::string bytes = AppsFileBytes(utf8);
    if (!files.ReplaceAtomically(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("apps file: %d items, %d categories, %.2f MB\n\n", kItems, kCategories,
                bytes.size() / 1048576.0);
    std::printf("%-34s %8s %10s %12s\n", "", "calls", "seconds", "us per call");

    quopa::modINI ini(files, codePage);
    auto ours = [&](const std::string& s, const std::string& k) {
        return ini.ReadIni(s, k, "", path);
    };
    Stopwatch first;
    ours("Application1", "Name");
    Row("engine: first read (parses)", 1, first.Seconds());
    Stopwatch load;
    const long calls = TreeLoad(ours, kItems);
    const double engineSeconds = load.Seconds();
    Row("engine: tree load", calls, engineSeconds);
    // A tree load reads one version of the file, checked once at its start.
    Stopwatch scoped;
    {
        quopa::modINI::ReadScope oneVersion(ini, path);
        TreeLoad(ours, kItems);
    }
    const double scopedSeconds = scoped.Seconds();
    Row("engine: tree load, one version", calls, scopedSeconds);

    Stopwatch writes;
    for (int i = 0; i < kWrites; ++i)
        ini.WriteIni("Application" + std::to_string(i * 499 + 1), "Name", "renamed", path);
    Row("engine: WriteIni (whole file)", kWrites, writes.Seconds());
    // Commands: a category renamed with its ~500 items, and an item saved (nine keys), key by
    // key as before and in one write. Key by key, the rename is timed over its first keys.
    quopa::IniKeys rename = {{"Category1", "Name", "Renamed"}};
    for (int n = 1; n <= kItems; ++n)
        if (n % kCategories == 0)
            rename.push_back({"Application" + std::to_string(n), "Category", "Renamed"});
    const int sampled = 25;
    Stopwatch keyByKey;
    for (int i = 0; i < sampled; ++i)
        ini.WriteIni(rename[i].section, rename[i].key, rename[i].value, path);
    const double perKey = keyByKey.Seconds() / sampled;
    Row("rename, key by key (extrapolated)", static_cast<long>(rename.size()),
        perKey * rename.size());
    for (auto& k : rename) k.value = "Renamed again";
    Stopwatch oneWrite;
    ini.WriteIniKeys(rename, path);
    const double renameSeconds = oneWrite.Seconds();
    Row("rename, one write", static_cast<long>(rename.size()), renameSeconds);
    std::printf("%-34s %8s %10.1f MB, key by key %.1f MB\n", "  bytes written", "",
                bytes.size() / 1048576.0, rename.size() * bytes.size() / 1048576.0);
    quopa::IniKeys item;
    for (const char* key : {"Name", "Description", "Path", "Category", "Autorun", "Type",
                            "Parameters", "StartIn", "WindowStyle"})
        item.push_back({"Application10000", key, std::string("new ") + key});
    Stopwatch itemKeyByKey;
    for (const auto& k : item) ini.WriteIni(k.section, k.key, k.value, path);
    Row("item save, key by key", static_cast<long>(item.size()), itemKeyByKey.Seconds());
    for (auto& k : item) k.value += " again";
    Stopwatch itemOneWrite;
    ini.WriteIniKeys(item, path);
    Row("item save, one write", static_cast<long>(item.size()), itemOneWrite.Seconds());

    Stopwatch reread;
    ours("Application1", "Path");
    Row("engine: read after a write", 1, reread.Seconds());
    // Reads within the file system's clock step of a write look at the file again.
    ini.WriteIni("Application1", "Name", "renamed again", path);
    Stopwatch reload;
    const long reloadCalls = TreeLoad(ours, kItems);
    Row("engine: tree load after a write", reloadCalls, reload.Seconds());

#ifdef _WIN32
    std::vector<std::pair<std::string, std::string>> asked;
    std::vector<std::string> answers;
    auto system = [&](const std::string& s, const std::string& k) {
        char buffer[255] = {};
        DWORD n = ::GetPrivateProfileStringA(s.c_str(), k.c_str(), "", buffer, 255, path.c_str());
        asked.emplace_back(s, k);
        answers.emplace_back(buffer, n);
        return answers.back();
    };
    Stopwatch sample;
    const long sampleCalls = TreeLoad(system, kSystemSampleItems);
    const double perCall = sample.Seconds() / sampleCalls;
    Row("system: sample", sampleCalls, perCall * sampleCalls);
    Row("system: tree load (extrapolated)", calls, perCall * calls);
    long mismatches = 0;
    for (std::size_t i = 0; i < asked.size(); ++i)
        mismatches += ours(asked[i].first, asked[i].second) != answers[i];
    std::printf("\nsystem / engine: %.1fx faster; values differing in the sample: %ld\n",
                perCall * calls / engineSeconds, mismatches);
    std::printf("system / engine for a full tree load's reads (one version): %.1fx\n",
                perCall * calls / scopedSeconds);
    files.Delete(path);
    ::RemoveDirectoryA(folder.c_str());
#else
    std::printf("\ntree load target < 0.5 s: %s\n", engineSeconds < 0.5 ? "met" : "MISSED");
    std::printf("rename in one write target < 0.3 s: %s\n", renameSeconds < 0.3 ? "met" : "MISSED");
    std::error_code ignored;
    std::filesystem::remove_all(pattern, ignored);
#endif
    return 0;
}
