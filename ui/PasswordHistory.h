#pragma once
// The password history: "PassList.dat" beside the program, one password per
// line, top entry first.

#include "framework/CString.h"

#include <vector>

// Moves password to the top: the first entry equal to it (byte for byte)
// leaves its place, or it is inserted when there is none. An empty password
// changes nothing.
void RecordPass(std::vector<CString>& entries, const CString& password);
