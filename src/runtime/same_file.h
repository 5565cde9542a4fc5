// Whether two names are one file: the one question asked wherever a file
// must not be read or replaced because it is another file of the run (the
// report, a data file, a table) under another name.
#pragma once

#include <string>

#include <sys/stat.h>

namespace veska::runtime {

// The same file on disk (device and inode).
bool sameFile(const struct stat& a, const struct stat& b);

// One file by any name or link (hard or symbolic); or, when either does not
// exist yet, one place once ".", "..", the folders' links and a symbolic
// link at the end (dangling or not) are followed: a name that will become
// the other file when it is written.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace veska::runtime
