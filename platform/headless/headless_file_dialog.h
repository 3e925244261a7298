#pragma once
// The file-open dialog as tests set it up: each call is recorded and answered from a queue.
#include <deque>
#include <vector>

#include "platform/file_dialog.h"

namespace platform {

class HeadlessFileDialog : public FileDialog {
  public:
    // With nothing queued the user cancels, as closing the dialog does.
    FileDialogResult Open(const OpenFileArgs& args) override {
        calls.push_back(args);
        if (answers.empty()) return Cancelled();
        FileDialogResult answer = answers.front();
        answers.pop_front();
        return answer;
    }

    static FileDialogResult Chosen(const std::string& path) {
        const std::size_t slash = path.find_last_of("\\/");
        return {FileDialogOutcome::Chosen, path,
                slash == std::string::npos ? path : path.substr(slash + 1), 0, ""};
    }
    static FileDialogResult Cancelled() {
        return {FileDialogOutcome::Cancelled, "", "", kFileDialogCancelError, ""};
    }
    static FileDialogResult Failed(int error, const std::string& text) {
        return {FileDialogOutcome::Failed, "", "", error, text};
    }

    std::deque<FileDialogResult> answers;
    std::vector<OpenFileArgs> calls;
};

}  // namespace platform
