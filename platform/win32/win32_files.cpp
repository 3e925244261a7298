#include "platform/win32/win32_files.h"

#include <windows.h>

#include <deque>
#include <new>
#include <utility>

#include "platform/debug_trace.h"
#include "platform/file_rules.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_code_page.h"
#include "platform/worker.h"

namespace platform {
namespace {

// Files fail as INVALID_HANDLE_VALUE, every other kernel object as null: one owner for
// both, given null for a failure.
win32::KernelHandle Opened(HANDLE h) {
    return win32::KernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

bool WriteAll(HANDLE h, const std::string& bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        DWORD chunk = left > (1u << 20) ? (1u << 20) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!::WriteFile(h, p, chunk, &written, nullptr) || written == 0) return false;
        p += written;
        left -= written;
    }
    return true;
}

std::uint64_t Nanoseconds(const FILETIME& t) {
    return ((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 100u;
}

// A writer keeps its temporary open without sharing until it is complete, so a
// deletion that succeeds takes only what a killed writer left.
void ClearStaleTemporaries(const std::string& path) {
    const std::string::size_type cut = path.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
    const std::string name = path.substr(folder.size());
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(Wide(path + ".~*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string leftover = Utf8(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsTempSiblingOf(leftover, name, true))
            ::DeleteFileW(Wide(folder + leftover).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

FileInfo Win32Files::Query(const std::string& path) {
    FileInfo info;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return info;
    info.kind =
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Directory : PathKind::File;
    info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info.writeTime = Nanoseconds(data.ftLastWriteTime);
    info.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    info.recentlyWritten =
        info.kind == PathKind::File && WithinClockStep(info.writeTime, Nanoseconds(now));
    return info;
}

bool Win32Files::ReadAll(const std::string& path, std::string& bytes) {
    win32::KernelHandle file = Opened(::CreateFileW(
        Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file || !::GetFileSizeEx(file.get(), &size)) return false;
    try {
        std::string data;
        data.reserve(static_cast<std::size_t>(size.QuadPart));
        char chunk[65536];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return false;
            if (got == 0) break;
            data.append(chunk, got);
        }
        bytes = std::move(data);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool Win32Files::ReplaceAtomically(const std::string& path, const std::string& bytes) {
    WIN32_FILE_ATTRIBUTE_DATA old;
    const bool exists =
        ::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &old) != FALSE;
    // Wine lets root replace a read-only file; Windows would not, and neither do we.
    if (exists && (old.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    if (swept_.insert(path).second) ClearStaleTemporaries(path);
    std::string temp;
    win32::KernelHandle file = Opened(CreateTemporary(path, temp));
    if (!file) return false;
    bool ok = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    ok = file.Close() && ok;
    // A hidden or system data file keeps being one after the replacement.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (ok && exists && (old.dwFileAttributes & kept))
        ok = ::SetFileAttributesW(Wide(temp).c_str(), old.dwFileAttributes & kept) != FALSE;
    if (ok)
        ok = ::MoveFileExW(Wide(temp).c_str(), Wide(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok) ::DeleteFileW(Wide(temp).c_str());
    return ok;
}

// A leftover of a killed writer may bear our next name: take the next free one.
void* Win32Files::CreateTemporary(const std::string& path, std::string& temp) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = TempSiblingName(path, ::GetCurrentProcessId(), ++tempCounter_);
        HANDLE h = ::CreateFileW(Wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = ::GetLastError();
        if (h != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

bool Win32Files::CreateEmpty(const std::string& path) {
    win32::KernelHandle file = Opened(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && file.Close();
}

bool Win32Files::Delete(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str()) != FALSE;
}

bool Win32Files::ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(Wide(pattern).c_str(), &found);
    entries.clear();
    // An empty drive root has not even "." to give.
    if (search == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        std::string name = Utf8(found.cFileName);
        if (name == "." || name == "..") continue;
        const bool isDir = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({std::move(name), isDir ? PathKind::Directory : PathKind::File});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return true;
}

bool Win32Files::CreateFolder(const std::string& folder) {
    const std::wstring wide = Wide(folder);
    if (::CreateDirectoryW(wide.c_str(), nullptr)) return true;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct Win32Files::Jobs {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
    std::deque<std::function<void(Files&)>> waiting;
    bool busy = false, stop = false, started = false;
    Win32Files files;  // the thread's alone
    Worker worker;

    ~Jobs() {
        ::AcquireSRWLockExclusive(&lock);
        stop = true;
        ::WakeAllConditionVariable(&changed);
        ::ReleaseSRWLockExclusive(&lock);
        worker.Wait();  // the jobs given still run first
    }

    void Run() {
        ::AcquireSRWLockExclusive(&lock);
        for (;;) {
            while (waiting.empty() && !stop)
                ::SleepConditionVariableSRW(&changed, &lock, INFINITE, 0);
            if (waiting.empty()) break;
            std::function<void(Files&)> job = std::move(waiting.front());
            waiting.pop_front();
            busy = true;
            ::ReleaseSRWLockExclusive(&lock);
            RunOne(job);
            job = nullptr;  // what it holds is freed here, not on the caller's thread
            ::AcquireSRWLockExclusive(&lock);
            busy = false;
            ::WakeAllConditionVariable(&changed);
        }
        ::ReleaseSRWLockExclusive(&lock);
    }

    void RunOne(const std::function<void(Files&)>& job) {
        try {
            job(files);
        } catch (...) {
            DebugTrace("Quopa: a background file job failed");
        }
    }
};

void Win32Files::InBackground(std::function<void(Files&)> job) {
    if (!jobs_) jobs_ = std::make_unique<Jobs>();
    Jobs& jobs = *jobs_;
    if (!jobs.started) jobs.started = jobs.worker.Start([&jobs] { jobs.Run(); });
    if (!jobs.started) {  // no thread to spare: done all the same
        jobs.RunOne(job);
        return;
    }
    ::AcquireSRWLockExclusive(&jobs.lock);
    try {
        jobs.waiting.push_back(std::move(job));
    } catch (...) {
        ::ReleaseSRWLockExclusive(&jobs.lock);
        throw;
    }
    ::WakeAllConditionVariable(&jobs.changed);
    ::ReleaseSRWLockExclusive(&jobs.lock);
}

void Win32Files::WaitForBackground() {
    if (!jobs_) return;
    ::AcquireSRWLockExclusive(&jobs_->lock);
    while (!jobs_->waiting.empty() || jobs_->busy)
        ::SleepConditionVariableSRW(&jobs_->changed, &jobs_->lock, INFINITE, 0);
    ::ReleaseSRWLockExclusive(&jobs_->lock);
}

Win32Files::Win32Files() = default;
Win32Files::~Win32Files() = default;

}  // namespace platform
