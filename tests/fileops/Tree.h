#pragma once
// Small folder trees described as text, for the tree and splitter tests.

#include "framework/CString.h"

#include <string>
#include <vector>

namespace tree {

// Makes each entry under root: "a/b.txt=text" a file (folders on the way
// made too), "a/c/" a folder; a leading '!' makes the file read-only.
void Make(const CString& root, const std::vector<std::string>& entries);

// root + '\' + rel, with '/' in rel turned into '\' (rel empty: root).
CString At(const CString& root, const std::string& rel);

// Everything under root, sorted, one line each ("a/b.txt=text", "a/c/"),
// in UTF-8 so that a failing comparison reads well.
std::string List(const CString& root);
// The same form for expected entries.
std::string Lines(std::vector<std::string> entries);

} // namespace tree
