#pragma once
// A temporary folder mapped as drive E:, with helpers to lay files down and read them back.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless/headless_code_page.h"
#include "platform/headless/host_files.h"
#include "store/ini.h"

namespace quopa::testing {

using Strings = std::vector<std::string>;

// What `get` makes of each of `items`, in order.
template <class Items, class Get>
Strings Each(const Items& items, Get get) {
    Strings out;
    for (const auto& item : items) out.push_back(get(item));
    return out;
}

// The real host files, counting the replacements of data files (not of kept versions),
// which a test can make fail as a pulled stick does.
class DriveFiles : public platform::HostFiles {
  public:
    bool ReplaceAtomically(const std::string& path, const std::string& bytes) override {
        replaces += path.find("quopa_backup") == std::string::npos;
        return !refuseReplaces && HostFiles::ReplaceAtomically(path, bytes);
    }
    int replaces = 0;
    bool refuseReplaces = false;
};

class TempDriveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quopa_ini_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        files_.MapDrive('E', root_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    std::string Host(const std::string& name) const { return root_ + "/" + name; }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(Host(name), std::ios::binary) << bytes;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Host(name)); }
    std::string Get(const std::string& name) const {
        std::ifstream in(Host(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(root_), {}));
    }

    std::string root_;
    DriveFiles files_;
    platform::HeadlessCodePage codePage_;
};

}  // namespace quopa::testing
