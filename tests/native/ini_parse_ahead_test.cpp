#include <future>

#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

// Tells when the first whole-file read, the one ahead, has happened.
class WatchedFiles : public platform::HostFiles {
  public:
    bool ReadAll(const std::string& path, std::string& bytes) override {
        const bool ok = HostFiles::ReadAll(path, bytes);
        if (!told_) {
            told_ = true;
            read_.set_value();
        }
        return ok;
    }
    std::future<void> FirstRead() { return read_.get_future(); }

  private:
    bool told_ = false;
    std::promise<void> read_;
};

using ParseAheadTest = TempDriveTest;

TEST_F(ParseAheadTest, AParseAheadOfAFileChangedSinceIsNotUsed) {
    WatchedFiles files;
    files.MapDrive('E', root_);
    modINI ini(files);
    Put("apps.dat", "[Application1]\r\nName=Old\r\n");
    std::future<void> read = files.FirstRead();
    ini.ParseAhead("E:\\apps.dat");
    read.wait();
    Put("apps.dat", "[Application1]\r\nName=New\r\n");
    EXPECT_EQ(ini.ReadIni("Application1", "Name", "", "E:\\apps.dat"), "New");
}

}  // namespace
}  // namespace quopa::testing
