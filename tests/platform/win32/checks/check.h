// A minimal check harness for VestrelHostChecks.exe (GoogleTest is not built for Windows
// here): every failed check prints its line and is counted.
#pragma once

#include <cstdio>

namespace checks {

inline int& Failures() {
  static int failures = 0;
  return failures;
}

inline void Check(bool ok, const char* what, const char* file, int line) {
  if (ok) return;
  ++Failures();
  std::printf("FAIL %s:%d: %s\n", file, line, what);
}

// The groups of checks, one file each.
void CheckFiles();
void CheckHostWindow();

}  // namespace checks

#define CHECK(condition) ::checks::Check((condition), #condition, __FILE_NAME__, __LINE__)
