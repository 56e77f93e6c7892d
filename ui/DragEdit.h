#pragma once
// The output-folder field (main window 1006, command-line dialog 1017): an
// edit control that also takes a folder dropped on it.

#include "framework/CEdit.h"

class CDragEdit : public CEdit {};
