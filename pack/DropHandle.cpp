#include "pack/DropHandle.h"

CString CDropHandle::Path(int index) const
{
    if (index < 0 || index >= Count()) return CString();
    const UINT length = DragQueryFileA(m_drop, static_cast<UINT>(index), nullptr, 0);
    CString path;
    const UINT got = DragQueryFileA(m_drop, static_cast<UINT>(index), path.GetBuffer(static_cast<int>(length)), length + 1);
    path.ReleaseBuffer(static_cast<int>(got));
    return path;
}

std::vector<CString> CDropHandle::Paths() const
{
    std::vector<CString> paths;
    for (int i = 0; i < Count(); ++i) paths.push_back(Path(i));
    return paths;
}
