#pragma once
// The tour's steps through the launcher's dialogs, shared with the failure drills.
#include <string>
#include <vector>

#include "tests/e2e/user_actions.h"

namespace e2e {

// One item as the wizard takes it; category is its entry in the wizard's list.
struct Entry {
    std::string title;
    std::string description;
    std::string path;
    int category = 0;
    bool web = false;
    bool autorun = false;
    std::string parameters;
    std::string startIn;
};

// The owner's details as the options dialog's boxes take them, the avatar's file last.
struct Owner {
    std::string name, address, city, phone, email, avatar;
};

class TourSteps : public DrivenLauncher {
  protected:
    // File, Add New Category; Finish. A refused step returns the dialog at once, a
    // finished one nullptr once the dialog is gone.
    HWND AddCategory(const std::string& title, bool refused = false);
    // File, Add New Item; the type page, the field page, Finish.
    HWND AddItem(const Entry& entry, bool refused = false);
    // Options: the boxes filled when details are given, the language picked when not
    // negative; OK.
    HWND SetOptions(const Owner& owner, int language, bool refused = false);
    void ClickOn(HWND window) const;
    // An 8 by 8 picture, 24 bits a pixel.
    static std::string SmallBitmap();
};

}  // namespace e2e
