// Where a tool's output goes and how it gets there. "-" is standard output.
// A path that names something other than a regular file (a device, a FIFO,
// /dev/stdout) is written in place. A regular file or a new path is written
// through a fresh temporary file beside it (made with mkstemp, so never an
// existing file or link) that is synced and renamed into place, so that a
// failed or interrupted write leaves the old file as it was; the new file
// keeps the old one's mode and, where allowed, its owner. A symbolic link
// is followed and its target written that way, and the link stays; a file
// with other hard links is replaced by a new file, the other names keeping
// the old contents.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Whether `path` can be written as above; "" or what is wrong, naming the
// path and the reason (a folder, a missing or unwritable folder, a file the
// user may not write, a loop of links). Writes nothing.
std::string checkWritable(const std::string& path);

// Hands `write` the open stream for `path` and finishes the file; "" or
// what went wrong, naming the path and the system's reason (a full device,
// a write error, a failed rename). `write` returns false on its own errors.
// SIGTERM, SIGINT or SIGHUP while the temporary file exists removes it
// before the program ends as the signal ends it.
std::string writeOutput(const std::string& path, const std::function<bool(std::FILE*)>& write);

// writeOutput with a text.
std::string writeTextFile(const std::string& path, const std::string& text);

// Flushes and closes standard output: "" or what went wrong with the
// system's reason, so that output lost on a full disk or a closed pipe is
// not reported as success. Called once, as a tool ends.
std::string closeStandardOutput();
