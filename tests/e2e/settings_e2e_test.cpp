// The options window on the real quopa.exe: what is typed there reaches the sidebar at once
// and the settings file.
#include "tests/e2e/launcher_fixture.h"

namespace e2e {
namespace {

class SettingsE2E : public TreeE2E {};

TEST_F(SettingsE2E, OptionsFromTheFileMenuRenameTheOwnerInTheSidebarAndTheFile) {
    StartWith("", 1);
    ASSERT_NE(FindChild(main_, "Static", "John Doe's Portable Device"), nullptr);

    Command(quopa::cmd::kOptions);
    HWND options = launcher_.WaitWindow("QuopaOptions", 10000);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(WindowText(options), "Options");
    const std::vector<HWND> boxes = Children(options, "Edit");
    ASSERT_FALSE(boxes.empty());
    Type(boxes[0], "Ada");  // the user name, first of the boxes
    Click(FindChild(options, "Button", "&OK"));
    EXPECT_TRUE(WaitGone(options)) << "OK left the options open";

    EXPECT_TRUE(WaitUntil([&] { return FindChild(main_, "Static", "Ada's Portable Device"); }))
        << "the sidebar kept its label";
    const std::string settings = ReadFile(DataFile("quopa_settings.dat"));
    EXPECT_NE(settings.find("[UserInfo]\r\nUserName=Ada\r\n"), std::string::npos) << settings;
}

}  // namespace
}  // namespace e2e
