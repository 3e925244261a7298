#include "platform/headless/host_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <new>
#include <utility>
#include <vector>

#include "platform/file_rules.h"
#include "platform/text.h"

namespace platform {
namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&&) = delete;
    ~Fd() { Close(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // close() can report a failed delayed write, so the writer must see its result.
    bool Close() {
        if (fd_ < 0) return true;
        return ::close(std::exchange(fd_, -1)) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::uint64_t Nanoseconds(const struct timespec& t) {
    return static_cast<std::uint64_t>(t.tv_sec) * 1000000000u +
           static_cast<std::uint64_t>(t.tv_nsec);
}

// Where locks are not supported, a leftover this old has no writer any more.
constexpr std::uint64_t kStaleAgeNs = 10ull * 60 * 1000000000u;

// A writer holds a lock on its temporary, and a killed one holds none. Without lock
// support only age tells.
void RemoveIfStale(const std::string& temp) {
    Fd fd(::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st, now;
    if (!fd || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        struct timespec clock;
        if (errno == EWOULDBLOCK || ::clock_gettime(CLOCK_REALTIME, &clock) != 0 ||
            Nanoseconds(clock) < Nanoseconds(st.st_mtim) + kStaleAgeNs)
            return;
    }
    // Still the same file: nobody renamed another one to this name meanwhile.
    if (::lstat(temp.c_str(), &now) == 0 && now.st_ino == st.st_ino && now.st_dev == st.st_dev)
        ::unlink(temp.c_str());
}

std::pair<std::string, std::string> SplitFolder(const std::string& hostPath) {
    const std::string::size_type slash = hostPath.rfind('/');
    if (slash == std::string::npos) return {".", hostPath};
    return {slash == 0 ? "/" : hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}

void ClearStaleTemporaries(const std::string& hostPath) {
    const auto [folder, name] = SplitFolder(hostPath);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
        if (IsTempSiblingOf(entry->d_name, name, false)) found.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& temp : found) RemoveIfStale(folder + "/" + temp);
}

// Without this the rename itself may not survive a power cut or a pulled stick.
void SyncFolderOf(const std::string& hostPath) {
    const std::string folder = SplitFolder(hostPath).first;
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) ::fsync(dir.get());
}

}  // namespace

void HostFiles::MapDrive(char letter, std::string hostFolder) {
    while (hostFolder.size() > 1 && hostFolder.back() == '/') hostFolder.pop_back();
    drives_[AsciiUpper(letter)] = std::move(hostFolder);
}

std::string HostFiles::HostPath(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':') {
        auto drive = drives_.find(AsciiUpper(path[0]));
        if (drive != drives_.end()) {
            std::string out = drive->second;
            for (std::size_t i = 2; i < path.size(); ++i) {
                char c = path[i] == '\\' ? '/' : path[i];
                if (c == '/' && !out.empty() && out.back() == '/') continue;
                if (c != '/' && i == 2 && out.back() != '/') out += '/';
                out += c;
            }
            return out;
        }
    }
    std::string out = path;
    for (char& c : out) {
        if (c == '\\') c = '/';
    }
    return out;
}

FileInfo HostFiles::Query(const std::string& path) {
    FileInfo info;
    struct stat st;
    if (::stat(HostPath(path).c_str(), &st) != 0) return info;
    info.kind = S_ISDIR(st.st_mode) ? PathKind::Directory : PathKind::File;
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.writeTime = Nanoseconds(st.st_mtim);
    info.readOnly = (st.st_mode & S_IWUSR) == 0;
    struct timespec now;
    info.recentlyWritten = S_ISREG(st.st_mode) && ::clock_gettime(CLOCK_REALTIME, &now) == 0 &&
                           WithinClockStep(info.writeTime, Nanoseconds(now));
    return info;
}

bool HostFiles::ReadAll(const std::string& path, std::string& bytes) {
    Fd fd(::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!fd || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    try {
        std::string data;
        data.reserve(static_cast<std::size_t>(st.st_size));
        char chunk[65536];
        for (;;) {
            ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) break;
            data.append(chunk, static_cast<std::size_t>(n));
        }
        bytes = std::move(data);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool HostFiles::ReplaceAtomically(const std::string& path, const std::string& bytes) {
    const std::string host = HostPath(path);
    struct stat st;
    const bool exists = ::stat(host.c_str(), &st) == 0;
    // A read-only file stays as it is, as on Windows, even for root.
    if (exists && (!S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR) == 0)) return false;

    if (swept_.insert(host).second) ClearStaleTemporaries(host);
    std::string temp;
    Fd fd(CreateTemporary(host, temp));
    if (!fd) return false;
    ::flock(fd.get(), LOCK_EX | LOCK_NB);  // marks it as being written; see RemoveIfStale
    bool ok = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    // Some file systems (FAT through FUSE) keep no mode; the content matters more.
    if (ok && exists) ::fchmod(fd.get(), st.st_mode & 07777);
    ok = fd.Close() && ok;
    if (ok) ok = ::rename(temp.c_str(), host.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(host);
    return true;
}

// A leftover of a killed writer may bear our next name: take the next free one.
int HostFiles::CreateTemporary(const std::string& host, std::string& temp) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = TempSiblingName(host, static_cast<unsigned long>(::getpid()), ++tempCounter_);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool HostFiles::CreateEmpty(const std::string& path) {
    Fd fd(::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    return fd && fd.Close();
}

bool HostFiles::Delete(const std::string& path) {
    return ::unlink(HostPath(path).c_str()) == 0;
}

bool HostFiles::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    const std::string host = HostPath(folder);
    DIR* dir = ::opendir(host.c_str());
    if (!dir) return false;
    entries.clear();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        const bool isDir = ::stat((host + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back({name, isDir ? PathKind::Directory : PathKind::File});
    }
    ::closedir(dir);
    return true;
}

bool HostFiles::CreateFolder(const std::string& folder) {
    const std::string host = HostPath(folder);
    struct stat st;
    return ::mkdir(host.c_str(), 0777) == 0 ||
           (::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

}  // namespace platform
