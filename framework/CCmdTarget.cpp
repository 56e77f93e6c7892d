#include "framework/CCmdTarget.h"

const MsgMap* CCmdTarget::GetMessageMap() const
{
    static const MsgMapEntry entries[] = {{}};
    static const MsgMap map{nullptr, entries};
    return &map;
}

const MsgMapEntry* CCmdTarget::FindMessageEntry(UINT message, UINT id, UINT code) const
{
    for (const MsgMap* map = GetMessageMap(); map; map = map->base) {
        for (const MsgMapEntry* e = map->entries; e->handler; ++e) {
            if (e->message == message && e->id == id && e->code == code) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    const MsgMapEntry* e = FindMessageEntry(WM_COMMAND, id, code);
    if (!e) return FALSE;
    e->handler(this, MAKEWPARAM(id, code), 0);
    return TRUE;
}
