#pragma once
// The only access to the data files: one key per call, read or written with the
// rules of the system's profile functions. The files stay the authority; what is kept
// here is a parsed copy that is checked against the file on every call.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/worker.h"
#include "store/file_text.h"
#include "store/ini_document.h"

namespace quopa {

struct IniKey {
    std::string section, key, value;
};
using IniKeys = std::vector<IniKey>;

// What a value is cut to when read back, as the 255-character buffer of the callers takes it;
// in characters, never inside one.
constexpr std::size_t kMaxValueChars = 254;

// What ReadIni gives back for `value` once written: line breaks as spaces, cut at a NUL,
// blanks trimmed, one pair of enclosing quotes dropped, 254 characters; and again, until
// nothing changes. A name or path is judged and written in this form: written, it reads
// back the same, so what the tree shows after a command is what the next load shows.
std::string AsStored(const std::string& value);
// False for a value that the next read would cut: over 254 characters as stored.
bool ReadsBackWhole(const std::string& value);

class modINI {
  public:
    // Larger files are not data files of ours; parsing the worst of them whole costs
    // about a second and a few hundred megabytes. A write that would cross it is refused.
    static constexpr std::uint64_t kMaxFileBytes = 8u << 20;

    // A file without a byte-order mark is read in `codePage`.
    modINI(platform::Files& files, platform::CodePage& codePage);

    // The stored value cut to 254 characters, as a 255-character buffer returns it.
    // When it reads empty and def is not, def is written back and returned.
    std::string ReadIni(const std::string& section, const std::string& key, const std::string& def,
                        const std::string& file);
    // Refuses (false, file untouched) names that would break the file's syntax, files
    // that cannot be read or written and writes that would make the file too large.
    // Line breaks in a value become spaces.
    bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file);
    // All of a command's keys in one replacement of the file: it ends byte for byte as the
    // same WriteIni calls in this order would leave it, or, when any of them would be
    // refused, untouched. So a pulled stick or a kill leaves the command whole or undone.
    bool WriteIniKeys(const IniKeys& keys, const std::string& file);

    // The file's whole text (UTF-8) as it is now, checked as a read is; false when it cannot
    // be read.
    bool ReadWhole(const std::string& file, std::string& text);
    // Replaces the whole text in one write, in the file's form, refused as WriteIniKeys
    // refuses.
    bool WriteWhole(std::string text, const std::string& file);
    // The same with the text `change` makes of the file's text as it is now, read as a
    // command's write reads it; nothing is written when it gives false.
    bool RewriteWhole(const std::string& file,
                      const std::function<bool(const std::string& now, std::string& text)>& change);
    // Told of each replacement that changed a file's text, with the text before and after;
    // both may be held on to, by any thread: they never change.
    std::function<void(const std::string& file, const std::shared_ptr<const std::string>& before,
                       const std::shared_ptr<const std::string>& after)>
        onReplaced;

    // Reads and parses `file` on another thread while the caller goes on. The first look at
    // the file takes that parse if the file still holds the bytes parsed, else parses anew:
    // the start-up's window is built meanwhile instead of waiting for a large apps file.
    void ParseAhead(const std::string& file);

    // While one lives, reads of `file` come from one version of it, checked against the
    // file at the first read only: a tree load reads tens of thousands of keys in one go,
    // and a check costs more than the read. Our own writes still show at once.
    class ReadScope {
      public:
        ReadScope(modINI& ini, std::string file);
        ReadScope(const ReadScope&) = delete;
        ReadScope& operator=(const ReadScope&) = delete;
        ~ReadScope();

      private:
        modINI& ini_;
        std::string previousFile_, previousPath_;
        bool previousChecked_;
    };

  private:
    struct Cached {
        std::string path;  // normalised, so aliases of one file share an entry
        platform::FileInfo info;
        std::uint64_t generation = 0;
        std::uint64_t lastUse = 0;
        // False when the file was written within its clock step of our read: a change
        // after the read could have kept size and time, so the next call reads again.
        bool settled = false;
        FileEncoding encoding = FileEncoding::Ansi;
        IniDocument doc;  // of the file's text in UTF-8
    };

    std::string Lookup(const std::string& section, const std::string& key, const std::string& file);
    bool Store(const IniKeys& keys, const std::string& file);
    bool Replace(Cached* entry, const std::string& file, const std::string& bytes, std::string text,
                 FileEncoding encoding);
    enum class Look { WhenChanged, Always };
    // The file's current content, re-read when anything about it changed or could
    // have changed unseen (or always); nullptr when it exists but cannot be read.
    Cached* Fresh(const std::string& file, Look look);
    void Forget(const Cached* entry);
    IniDocument Parse(const std::string& path, std::string text);
    const Cached* Scoped();

    platform::Files& files_;        // not owned
    platform::CodePage& codePage_;  // not owned
    std::vector<std::unique_ptr<Cached>> cache_;
    std::uint64_t useClock_ = 0;
    std::string scopedFile_;      // the file of the innermost ReadScope, as its caller names it
    std::string scopedPath_;      // and normalised
    bool scopedChecked_ = false;  // its version has been checked in this scope
    std::string aheadPath_;       // normalised; empty when no parse is ahead
    IniDocument ahead_;           // the parse's result, once aheadWorker_ has ended
    platform::Worker aheadWorker_;
    std::set<std::string> replacedOnce_;  // normalised paths this engine has replaced
};

}  // namespace quopa
