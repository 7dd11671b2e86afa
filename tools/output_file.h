// Where a tool's output goes and how it gets there. "-" is standard output.
// A path that names something other than a regular file (a device, a FIFO,
// /dev/stdout) is written in place. A regular file or a new path is written
// through a temporary file beside it that is renamed into place, so that a
// failed write leaves the old file as it was; a symbolic link is followed
// and its target written that way, and the link stays.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Whether `path` can be written as above; "" or what is wrong (a folder, a
// folder that is missing or not writable). Writes nothing.
std::string checkWritable(const std::string& path);

// Hands `write` the open stream for `path` and finishes the file; "" or
// what went wrong, naming the path and the system's reason (a full device,
// a write error, a failed rename). `write` returns false on its own errors.
std::string writeOutput(const std::string& path, const std::function<bool(std::FILE*)>& write);

// writeOutput with a text.
std::string writeTextFile(const std::string& path, const std::string& text);
