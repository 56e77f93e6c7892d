#pragma once
// Export marker of Hobrin.dll: the library exports, its users import.
#ifdef HOBRIN_BUILD
#define HOBRIN_API __declspec(dllexport)
#else
#define HOBRIN_API __declspec(dllimport)
#endif
