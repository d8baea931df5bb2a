// Document file name comparison.
#include "core/Filenames.h"

#include <sys/stat.h>

#include <cstring>

bool SameFileName(const char* A, const char* B) {
  return std::strcmp(A != nullptr ? A : "", B != nullptr ? B : "") == 0;
}

bool IsSameFile(const char* A, const char* B) {
  struct stat StatA {};
  struct stat StatB {};
  if (A != nullptr && B != nullptr && ::stat(A, &StatA) == 0 && ::stat(B, &StatB) == 0) {
    return StatA.st_dev == StatB.st_dev && StatA.st_ino == StatB.st_ino;
  }
  return SameFileName(A, B);
}
