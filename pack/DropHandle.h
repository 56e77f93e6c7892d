#pragma once
// A shell drop handle, released (DragFinish) on every way out.

#include "framework/CString.h"

#include <shellapi.h>

#include <vector>

class CDropHandle {
public:
    explicit CDropHandle(HDROP drop) : m_drop(drop) {}
    CDropHandle(const CDropHandle&) = delete;
    CDropHandle& operator=(const CDropHandle&) = delete;
    ~CDropHandle() { if (m_drop) DragFinish(m_drop); }

    int Count() const { return static_cast<int>(DragQueryFileA(m_drop, 0xFFFFFFFF, nullptr, 0)); }
    // Full path of item index, however long; "" when there is none.
    CString Path(int index) const;
    std::vector<CString> Paths() const;

private:
    HDROP m_drop;
};
