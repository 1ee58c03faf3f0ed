// Scripted answers for modal windows, for tests that must never wait for a user.
#include "platform/popup_hook.h"

#include "platform/ui_runtime.h"

#include <deque>
#include <map>

namespace {

struct HookState {
    bool active = false;
    std::deque<ScriptedReply> script;
    std::vector<PopupRecord> records;
    std::map<int, size_t> progress; // progress token -> index of its record
    int nextToken = 1;
    int cancelAt = -1; // percentage at which the next cancellable progress dialog is cancelled
};

HookState& Hook() {
    static HookState state;
    return state;
}

} // namespace

void PopupHook_Activate() {
    HookState& hook = Hook();
    hook.active = true;
    hook.script.clear();
    hook.records.clear();
    hook.progress.clear();
    hook.cancelAt = -1;
}

void PopupHook_Deactivate() {
    HookState& hook = Hook();
    hook.active = false;
    hook.script.clear();
    hook.progress.clear();
    hook.cancelAt = -1;
}

bool PopupHook_Active() {
    return Hook().active;
}

void PopupHook_Queue(ScriptedReply reply) {
    Hook().script.push_back(std::move(reply));
}

void PopupHook_CancelProgressAt(int percent) {
    Hook().cancelAt = percent;
}

const std::vector<PopupRecord>& PopupHook_Records() {
    return Hook().records;
}

void PopupHook_ClearRecords() {
    Hook().records.clear();
    Hook().progress.clear();
}

namespace vkrui {

int HookAnswer(PopupRecord record, int defaultResult, std::string* path, std::vector<std::string>* texts) {
    HookState& hook = Hook();
    ScriptedReply reply{defaultResult, ""};
    if (!hook.script.empty()) {
        reply = hook.script.front();
        hook.script.pop_front();
    }
    record.reply = reply.result;
    hook.records.push_back(std::move(record));
    if (path) *path = reply.path;
    if (texts) *texts = reply.texts;
    return reply.result;
}

int HookProgressBegin(PopupRecord record) {
    HookState& hook = Hook();
    hook.records.push_back(std::move(record));
    const int token = hook.nextToken++;
    hook.progress[token] = hook.records.size() - 1;
    return token;
}

bool HookProgressStep(int token, int percent) {
    HookState& hook = Hook();
    const auto found = hook.progress.find(token);
    if (found == hook.progress.end() || found->second >= hook.records.size()) return false;
    PopupRecord& record = hook.records[found->second];
    record.progress.push_back(percent);
    if (record.buttons.empty() || hook.cancelAt < 0 || percent < hook.cancelAt) return false;
    hook.cancelAt = -1;
    record.reply = 1;
    return true;
}

} // namespace vkrui
