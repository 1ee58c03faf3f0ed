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
}

void PopupHook_Deactivate() {
    HookState& hook = Hook();
    hook.active = false;
    hook.script.clear();
    hook.progress.clear();
}

bool PopupHook_Active() {
    return Hook().active;
}

void PopupHook_Queue(ScriptedReply reply) {
    Hook().script.push_back(std::move(reply));
}

const std::vector<PopupRecord>& PopupHook_Records() {
    return Hook().records;
}

void PopupHook_ClearRecords() {
    Hook().records.clear();
    Hook().progress.clear();
}

namespace vkrui {

int HookAnswer(PopupRecord record, int defaultResult, std::string* path) {
    HookState& hook = Hook();
    ScriptedReply reply{defaultResult, ""};
    if (!hook.script.empty()) {
        reply = hook.script.front();
        hook.script.pop_front();
    }
    record.reply = reply.result;
    hook.records.push_back(std::move(record));
    if (path) *path = reply.path;
    return reply.result;
}

int HookProgressBegin(PopupRecord record) {
    HookState& hook = Hook();
    hook.records.push_back(std::move(record));
    const int token = hook.nextToken++;
    hook.progress[token] = hook.records.size() - 1;
    return token;
}

void HookProgressStep(int token, int percent) {
    HookState& hook = Hook();
    const auto found = hook.progress.find(token);
    if (found == hook.progress.end() || found->second >= hook.records.size()) return;
    hook.records[found->second].progress.push_back(percent);
}

} // namespace vkrui
