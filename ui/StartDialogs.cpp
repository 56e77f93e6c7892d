#include "ui/StartDialogs.h"

// The dialogs arrive with the window layer; until then starting shows nothing.
void RunMainDialog(CWinApp&) {}
void RunCommandDialog(CWinApp&) {}
