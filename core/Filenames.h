// How the program compares document file names: as the file system does, with case.
#pragma once

// True when the two names are the same name: byte for byte, because the file system tells "Page.html" and
// "page.html" apart. Null is the empty name.
bool SameFileName(const char* A, const char* B);
// True when the two names reach the same file (the same device and inode: through a link, a relative path or
// "..", too); when either does not exist, true only for the same name.
bool IsSameFile(const char* A, const char* B);
