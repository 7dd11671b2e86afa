#include "tool_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace {

// The environment of a child: ours, with DISPLAY replaced when given.
std::vector<std::string> childEnvironment(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (display.empty() || std::string(*e).rfind("DISPLAY=", 0) != 0) env.push_back(*e);
    if (!display.empty()) env.push_back("DISPLAY=" + display);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

pid_t spawn(const std::vector<std::string>& args, const std::string& display, int outputFd) {
    std::vector<std::string> argv = args, env = childEnvironment(display);
    std::vector<char*> argp = pointers(argv), envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
        posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int waitStatus(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& args, const std::string& display) {
    ProcessResult result;
    char name[] = "/tmp/universe-tool-output-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return result;
    const pid_t pid = spawn(args, display, fd);
    close(fd);
    if (pid > 0) result.status = waitStatus(pid);
    result.output = readFile(name);
    unlink(name);
    return result;
}

void stopProcess(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitStatus(pid);
}

TempDir::TempDir() {
    char name[] = "/tmp/universe-tool-test-XXXXXX";
    if (mkdtemp(name)) dir_ = name;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
}

std::string TempDir::path(const std::string& name) const {
    return name.empty() ? dir_ : dir_ + "/" + name;
}

std::vector<std::string> TempDir::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

PrivateXServer::PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    std::vector<std::string> args = {"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]),
                                     "-screen",       "0",          "1280x1024x24",
                                     "-nolisten",     "tcp",        "-noreset"};
    std::vector<char*> argp = pointers(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, argp[0], &actions, nullptr, argp.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    // Xvfb writes its display number once it accepts connections, which
    // on a busy machine can take many seconds.
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    char c;
    while (pid_ > 0 && poll(&ready, 1, 60000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
}

PrivateXServer::~PrivateXServer() { stopProcess(pid_); }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
