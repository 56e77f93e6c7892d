#pragma once
// Failure injection for the rollback tests. Only the test build of the
// library (ZIP32J_FAULTS defined) reads ZIP32J_FAULT=point:n from the
// environment; the shipped library compiles every check to false.
//   write:n   the archive write that would pass n bytes fails as a full disk
//   read:n    the n-th read of a source file fails
//   short:n   the n-th read of a source file ends early, as if it shrank
//   directory:n writing the n-th central directory fails
//   commit:n  the n-th final step (rename, flush) fails
//   restore:n the n-th rollback write fails, as a dying disk would
// Each fault fires once; several may be given, separated by commas.

#include <cstdint>

namespace fault {

#ifdef ZIP32J_FAULTS
void Reset();  // reads the environment again; called at each Zip call
bool Hit(const char* point);
bool WriteHit(uint64_t bytes);  // counts bytes written to the archive
#else
inline void Reset() {}
inline bool Hit(const char*) { return false; }
inline bool WriteHit(uint64_t) { return false; }
#endif

} // namespace fault
