#pragma once
// Test hook for modal windows. While it is active, every popup, file dialog and progress
// dialog of platform/ui.h is answered from a script instead of waiting for a user, and what
// would have been shown is recorded. Production code never activates it.

#include <string>
#include <utility>
#include <vector>

enum class PopupKind { Message, Generic, FileSelect, Progress, Form };

struct PopupRecord {
    PopupKind kind;
    std::string title;
    std::string message;              // message text; for a file dialog the filter
    std::vector<std::string> buttons; // button labels in order
    std::vector<int> progress;        // percentages passed to UpdateProgressDialog (Progress only)
    int reply = 0;                    // what the hook answered
    // Form only: each field's label and the text it started with.
    std::vector<std::pair<std::string, std::string>> fields = {};
};

struct ScriptedReply {
    int result;       // button number (1..3), file-dialog result (VAL_..._SELECTED), form 1 OK / 0 cancel
    std::string path; // file-dialog path for a file result
    std::vector<std::string> texts = {}; // form: the texts entered, field by field; fields beyond keep theirs
};

void PopupHook_Activate(); // starts answering and recording; clears both lists
void PopupHook_Deactivate();
bool PopupHook_Active();
void PopupHook_Queue(ScriptedReply reply); // next popup gets this reply
// The next progress dialog with a cancel button asks to stop as soon as it is set to percent or
// more, as if the user had pressed the button then; its record's reply becomes 1.
void PopupHook_CancelProgressAt(int percent);
// With an empty script a message popup answers 1 (OK), a three-button question 3 (Escape),
// a file dialog VAL_NO_FILE_SELECTED and a form 0 (both cancel).
const std::vector<PopupRecord>& PopupHook_Records();
void PopupHook_ClearRecords();
