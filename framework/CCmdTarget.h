#pragma once
// Base of everything that has a message map: windows and the application.

#include "framework/MessageMap.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler of command id (with its notification code) when a
    // table has one; FALSE when none does.
    virtual BOOL OnCmdMsg(UINT id, UINT code);

protected:
    virtual const MsgMap* GetMessageMap() const;
    // First row for message/id/code, this class's table first, then its bases'.
    const MsgMapEntry* FindMessageEntry(UINT message, UINT id, UINT code) const;
};
