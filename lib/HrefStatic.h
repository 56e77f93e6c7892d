#pragma once
// A static text turned into a link: blue underlined text, a hand cursor, and
// a click (on the press) that opens the text it shows, a URL in the browser,
// anything else as a "mailto:" address. Bind it to a static control that has
// SS_NOTIFY by data exchange (DDX_Control); its parent reflects the colour
// request to it.

#include "framework/CFont.h"
#include "framework/CStatic.h"
#include "lib/HobrinApi.h"

class HOBRIN_API CHrefStatic : public CStatic {
public:
    CHrefStatic();
    ~CHrefStatic() override;

protected:
    const MsgMap* GetMessageMap() const override;
    HBRUSH CtlColor(WPARAM hdc, LPARAM);
    BOOL OnSetCursor(WPARAM, LPARAM);
    void OnLButtonDown(WPARAM, LPARAM);

    HBRUSH m_brush;    // button-face colour taken at construction
    CFont m_font;      // underlined copy of the control's font, made on first paint
                       // and then the control's font too
    HCURSOR m_hCursor;
};
