#pragma once
// Message maps: each class lists the messages it handles in a static table;
// dispatch walks the class's table, then its base's.
//
//   const MsgMap* CMainDlg::GetMessageMap() const
//   {
//       static const MsgMapEntry entries[] = {
//           {WM_COMMAND, IDC_BROWSE, BN_CLICKED, fw::Handler<&CMainDlg::OnBrowse>},
//           {WM_MOVING, 0, 0, fw::Handler<&CMainDlg::OnMoving>},
//           {},
//       };
//       static const MsgMap map{CDialog::GetMessageMap(), entries};
//       return &map;
//   }
//
// A handler is a member function taking () or (WPARAM, LPARAM) and returning
// void or a value that becomes the message's result. WM_COMMAND rows name the
// control or command id and the notification code (0 for menus and for
// BN_CLICKED); other rows leave both 0.

#include <windows.h>

#include <type_traits>

class CCmdTarget;

using MsgHandler = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MsgMapEntry {
    UINT message;
    UINT id;
    UINT code;
    MsgHandler handler;  // null ends the table
};

struct MsgMap {
    const MsgMap* base;
    const MsgMapEntry* entries;
};

// A control's own table receives the colour requests its parent gets for it
// as WM_REFLECT_BASE + WM_CTLCOLOR...; they never travel as real messages.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

namespace fw {

template <class T> struct MemberFn;
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
    static constexpr size_t Arity = sizeof...(A);
};

template <class R> LRESULT ToResult(R value)
{
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>(value);
    else
        return static_cast<LRESULT>(value);
}

template <auto F> LRESULT Handler(CCmdTarget* target, WPARAM wParam, LPARAM lParam)
{
    using T = MemberFn<decltype(F)>;
    auto* self = static_cast<typename T::Class*>(target);
    static_assert(T::Arity == 0 || T::Arity == 2, "handlers take () or (WPARAM, LPARAM)");
    if constexpr (T::Arity == 0) {
        if constexpr (std::is_void_v<typename T::Result>) {
            (self->*F)();
            return 0;
        } else {
            return ToResult((self->*F)());
        }
    } else {
        if constexpr (std::is_void_v<typename T::Result>) {
            (self->*F)(wParam, lParam);
            return 0;
        } else {
            return ToResult((self->*F)(wParam, lParam));
        }
    }
}

} // namespace fw
