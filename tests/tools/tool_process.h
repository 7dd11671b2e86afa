// Running the tools and the viewer as child processes, in temporary
// folders, and on a private X server, for the tests of the tools.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ProcessResult {
    int status = -1;     // exit status, or -1 when killed by a signal
    std::string output;  // stdout and stderr together
};

// Runs `args` (args[0] is the program) to its end, with `display` as
// DISPLAY when it is not empty.
ProcessResult runProcess(const std::vector<std::string>& args, const std::string& display = "");

// Ends a background process and waits for it.
void stopProcess(pid_t pid);

// A fresh folder under /tmp, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name = "") const;
    std::vector<std::string> entries() const;  // names inside, sorted

private:
    std::string dir_;
};

// An Xvfb of our own (24-bit, 1280 x 1024), so that injected pointer events
// meet no other test's windows. Stopped on destruction.
class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    const std::string& display() const { return display_; }  // empty when it failed to start

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Whole contents of a file.
std::string readFile(const std::string& path);
