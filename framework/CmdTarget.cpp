#include "framework/CmdTarget.h"

namespace {

bool Matches(const fw::MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message != message) {
        return false;
    }
    if (message == WM_COMMAND) {
        return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header != nullptr && entry.code == header->code && entry.id == header->idFrom;
    }
    return true;
}

}  // namespace

const fw::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const fw::MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const fw::MessageMap map = {nullptr, entries};
    return &map;
}

const fw::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CCmdTarget::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const fw::MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base ? map->base() : nullptr) {
        for (const fw::MessageMapEntry* entry = map->entries; entry->thunk != nullptr; ++entry) {
            if (Matches(*entry, message, wParam, lParam)) {
                entry->thunk(this, wParam, lParam, result);
                return true;
            }
        }
    }
    return false;
}
