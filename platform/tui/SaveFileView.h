// The save-file dialog in the terminal: the folder, its folders and matching files, a file name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Canvas.h"
#include "KeyDecoder.h"
#include "host/UiBackend.h"

namespace tui {

class SaveFileView {
public:
    // Starts in the initial folder (or the folder part of the initial name, or the current
    // directory) with the initial name in the name field, all of it selected.
    explicit SaveFileView(const host::UiSaveFile& dialog);

    bool Paint(Canvas& canvas) const;
    static constexpr int kNeededWidth = 50;
    static constexpr int kNeededHeight = 14;

    enum class Outcome { Open, Confirmed, Cancelled };
    // Tab moves between the list, the name and the buttons; Enter opens a folder or confirms.
    Outcome HandleKey(const KeyInput& key);
    // The confirmed Windows path (CP932).
    const std::string& Result() const { return result_; }
    // A notice the dialog wants answered before it goes on (a missing folder, overwriting).
    struct Notice {
        std::string text;        // CP932
        bool question = false;   // Yes/No; otherwise OK
    };
    std::optional<Notice> PendingNotice() const { return notice_; }
    // The answer to the pending notice: IDYES confirms an overwrite, anything else returns to the name.
    Outcome AnswerNotice(int answer);

    const std::string& Folder() const { return folder_; }
    struct Entry {
        std::string name;   // UTF-8, as the host names it
        bool isFolder;
    };
    const std::vector<Entry>& Entries() const { return entries_; }
    std::string NameUtf8() const;

private:
    void Enter(const std::string& windowsFolder);
    void Load();
    Outcome Confirm();
    Outcome Activate();
    void EditName(const KeyInput& key);
    void SelectEntry(int index);

    host::UiSaveFile dialog_;
    std::string folder_;                // Windows path (CP932) ending in a backslash
    std::vector<std::string> patterns_;  // "*.xml"
    std::string filterLabel_;           // CP932
    std::vector<Entry> entries_;
    bool listable_ = true;
    int selected_ = 0;
    int top_ = 0;
    std::vector<std::string> name_;     // UTF-8 glyphs of the name field
    int caret_ = 0;
    bool nameSelected_ = true;
    int focus_ = 1;                     // 0 list, 1 name, 2 save, 3 cancel
    std::string result_;
    std::optional<Notice> notice_;
    std::string pendingResult_;
};

}  // namespace tui
