// Message maps: each class's table of the messages it handles, walked from the class to its
// bases by one dispatcher (CCmdTarget::DispatchToMap). A macro is only a table entry; the
// handler is called through a thunk generated from its member pointer, so there are no
// member-pointer casts and an entry whose handler has the wrong signature does not compile.
#pragma once

#include <windows.h>

#include <type_traits>

class CCmdTarget;

namespace fw {

using HandlerThunk = void (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct MessageMapEntry {
    UINT message;        // WM_COMMAND, WM_NOTIFY, or any other window message
    UINT code;           // notification code, for WM_COMMAND and WM_NOTIFY
    UINT id;             // control or command ID, for WM_COMMAND and WM_NOTIFY
    HandlerThunk thunk;  // null ends the table
};

struct MessageMap {
    const MessageMap* (*base)();  // the base class's map; null at the root
    const MessageMapEntry* entries;
};

template <typename M>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};

template <typename M>
using ClassOf = typename MemberOf<M>::Class;

template <auto F>
ClassOf<decltype(F)>* TargetOf(CCmdTarget* t) {
    return static_cast<ClassOf<decltype(F)>*>(t);
}

template <typename M, typename Signature>
inline constexpr bool kHasSignature = std::is_same_v<M, Signature ClassOf<M>::*>;

// void OnCommand()
template <auto F>
void CommandThunk(CCmdTarget* t, WPARAM, LPARAM, LRESULT*) {
    static_assert(kHasSignature<decltype(F), void()>, "command handlers are void()");
    (TargetOf<F>(t)->*F)();
}

// void OnNotify(NMHDR*, LRESULT*)
template <auto F>
void NotifyThunk(CCmdTarget* t, WPARAM, LPARAM lParam, LRESULT* result) {
    static_assert(kHasSignature<decltype(F), void(NMHDR*, LRESULT*)>,
                  "notify handlers are void(NMHDR*, LRESULT*)");
    (TargetOf<F>(t)->*F)(reinterpret_cast<NMHDR*>(lParam), result);
}

// LRESULT OnMessage(WPARAM, LPARAM)
template <auto F>
void MessageThunk(CCmdTarget* t, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    static_assert(kHasSignature<decltype(F), LRESULT(WPARAM, LPARAM)>,
                  "message handlers are LRESULT(WPARAM, LPARAM)");
    *result = (TargetOf<F>(t)->*F)(wParam, lParam);
}

// void OnSysCommand(UINT nID, LPARAM lParam)
template <auto F>
void SysCommandThunk(CCmdTarget* t, WPARAM wParam, LPARAM lParam, LRESULT*) {
    static_assert(kHasSignature<decltype(F), void(UINT, LPARAM)>,
                  "OnSysCommand is void(UINT, LPARAM)");
    (TargetOf<F>(t)->*F)(static_cast<UINT>(wParam), lParam);
}

// HCURSOR OnQueryDragIcon()
template <auto F>
void QueryDragIconThunk(CCmdTarget* t, WPARAM, LPARAM, LRESULT* result) {
    static_assert(kHasSignature<decltype(F), HCURSOR()>, "OnQueryDragIcon is HCURSOR()");
    *result = reinterpret_cast<LRESULT>((TargetOf<F>(t)->*F)());
}

}  // namespace fw

#define DECLARE_MESSAGE_MAP()                           \
protected:                                              \
    static const ::fw::MessageMap* GetThisMessageMap(); \
    const ::fw::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                \
    const ::fw::MessageMap* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                           \
    }                                                         \
    const ::fw::MessageMap* theClass::GetThisMessageMap() {   \
        using ThisClass = theClass;                           \
        using TheBaseClass = baseClass;                       \
        static const ::fw::MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                            \
    { 0, 0, 0, nullptr }                                                             \
    }                                                                                \
    ;                                                                                \
    static const ::fw::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                                     \
    }

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, static_cast<UINT>(id), &::fw::CommandThunk<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) \
    {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), &::fw::CommandThunk<&ThisClass::memberFxn>},
#define ON_EN_CHANGE(id, memberFxn) \
    {WM_COMMAND, EN_CHANGE, static_cast<UINT>(id), &::fw::CommandThunk<&ThisClass::memberFxn>},
#define ON_NOTIFY(code, id, memberFxn)                          \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), \
     &::fw::NotifyThunk<&ThisClass::memberFxn>},
#define ON_MESSAGE(message, memberFxn) {message, 0, 0, &::fw::MessageThunk<&ThisClass::memberFxn>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &::fw::CommandThunk<&ThisClass::OnPaint>},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, &::fw::SysCommandThunk<&ThisClass::OnSysCommand>},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, &::fw::QueryDragIconThunk<&ThisClass::OnQueryDragIcon>},
