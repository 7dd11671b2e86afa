#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// How a path is written, and where the bytes finally land.
struct Destination {
    enum Kind { StandardOutput, InPlace, ByRename, Refused } kind;
    std::string file;  // ByRename: the file replaced or made (a link's target)
    int error = 0;     // Refused: why, as an errno value
    bool exists = false;
    struct stat old {};  // ByRename of an existing file: its mode and owner
};

Destination refused(int error) { return {Destination::Refused, "", error}; }

Destination destinationOf(const std::string& path) {
    if (path == "-") return {Destination::StandardOutput, ""};
    // Follow a chain of links to the file they name, which may not exist
    // yet; a chain that does not end is a loop.
    fs::path file = path;
    struct stat entry {};
    for (int hops = 0;; ++hops) {
        if (::lstat(file.c_str(), &entry) != 0) {
            if (errno != ENOENT) return refused(errno);
            Destination made{Destination::ByRename, file.string()};
            const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
            if (::access(folder.c_str(), W_OK | X_OK) != 0) return refused(errno);
            return made;
        }
        if (!S_ISLNK(entry.st_mode)) break;
        if (hops == 40) return refused(ELOOP);
        std::error_code error;
        const fs::path linked = fs::read_symlink(file, error);
        if (error) return refused(error.value());
        file = linked.is_absolute() ? linked : file.parent_path() / linked;
    }
    if (S_ISDIR(entry.st_mode)) return refused(EISDIR);
    // A device or a FIFO (through links too) is written in place.
    if (!S_ISREG(entry.st_mode))
        return ::access(path.c_str(), W_OK) == 0 ? Destination{Destination::InPlace, path}
                                                 : refused(errno);
    // A file the user may not write is not replaced behind its back.
    if (::access(file.c_str(), W_OK) != 0) return refused(errno);
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return refused(errno);
    Destination replaced{Destination::ByRename, file.string()};
    replaced.exists = true;
    replaced.old = entry;
    return replaced;
}

std::string failure(const std::string& path, int error) {
    return "cannot write " + path + (error ? std::string(": ") + std::strerror(error) : "");
}

// Writes and flushes; the errno of the first failure, or 0.
int writeAndFlush(std::FILE* file, const std::function<bool(std::FILE*)>& write) {
    errno = 0;
    bool ok = write(file);
    ok = std::fflush(file) == 0 && ok && !std::ferror(file);
    return ok ? 0 : (errno ? errno : EIO);
}

// The temporary file being written, removed if a signal ends the program
// first. The handler only reads a fixed buffer and calls unlink, which are
// safe in a signal handler.
char pendingTemporary[4096];
volatile std::sig_atomic_t temporaryPending = 0;
const int cleanupSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void removeTemporaryAndEnd(int signal) {
    if (temporaryPending) ::unlink(pendingTemporary);
    std::signal(signal, SIG_DFL);
    std::raise(signal);  // delivered, with the default action, as the handler returns
}

void setPendingTemporary(const char* name) {
    static bool installed = false;
    if (!installed) {
        installed = true;
        for (int signal : cleanupSignals) {
            struct sigaction action {
            }, old{};
            sigaction(signal, nullptr, &old);
            if (old.sa_handler != SIG_DFL) continue;  // ignored (nohup) or the program's own
            action.sa_handler = removeTemporaryAndEnd;
            sigemptyset(&action.sa_mask);
            for (int other : cleanupSignals) sigaddset(&action.sa_mask, other);
            sigaction(signal, &action, nullptr);
        }
    }
    sigset_t blocked, before;
    sigemptyset(&blocked);
    for (int signal : cleanupSignals) sigaddset(&blocked, signal);
    sigprocmask(SIG_BLOCK, &blocked, &before);
    temporaryPending = name && std::strlen(name) < sizeof pendingTemporary;
    if (temporaryPending) std::strcpy(pendingTemporary, name);
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Writes `destination.file` through a new temporary file beside it: the
// old file's mode and owner (or a new file's usual mode), synced, renamed.
std::string writeByRename(const std::string& path, const Destination& destination,
                          const std::function<bool(std::FILE*)>& write) {
    std::string name = destination.file + ".tmp.XXXXXX";
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) return failure(path, errno);
    setPendingTemporary(name.c_str());
    if (destination.exists) {
        // Giving the file to another owner is allowed to root alone; the
        // mode is set after it, since a change of owner clears set-id bits.
        [[maybe_unused]] const int owned =
            ::fchown(descriptor, destination.old.st_uid, destination.old.st_gid);
        ::fchmod(descriptor, destination.old.st_mode & 07777);
    } else {
        ::fchmod(descriptor, 0666 & ~currentUmask());
    }
    int error = 0;
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file) {
        error = errno;
        ::close(descriptor);
    } else {
        error = writeAndFlush(file, write);
        if (!error && ::fsync(descriptor) != 0) error = errno;
        if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
    }
    if (!error && std::rename(name.c_str(), destination.file.c_str()) != 0) error = errno;
    if (error) ::unlink(name.c_str());
    setPendingTemporary(nullptr);
    return error ? failure(path, error) : "";
}

}  // namespace

std::string checkWritable(const std::string& path) {
    const Destination destination = destinationOf(path);
    if (destination.kind != Destination::Refused) return "";
    if (destination.error == EISDIR) return "'" + path + "' is a folder, not a file";
    return "cannot write '" + path + "': " + std::strerror(destination.error);
}

std::string writeOutput(const std::string& path, const std::function<bool(std::FILE*)>& write) {
    const Destination destination = destinationOf(path);
    switch (destination.kind) {
        case Destination::StandardOutput: {
            const int error = writeAndFlush(stdout, write);
            return error ? failure("standard output", error) : "";
        }
        case Destination::Refused: return failure(path, destination.error);
        case Destination::ByRename: return writeByRename(path, destination, write);
        case Destination::InPlace: break;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return failure(path, errno);
    int error = writeAndFlush(file, write);
    if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
    return error ? failure(path, error) : "";
}

std::string writeTextFile(const std::string& path, const std::string& text) {
    return writeOutput(path, [&](std::FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
}

std::string closeStandardOutput() {
    errno = 0;
    int error = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) error = errno ? errno : EIO;
    // A closed standard output (>&-) that was never written is no failure.
    if (std::fclose(stdout) != 0 && !error && errno != EBADF) error = errno ? errno : EIO;
    return error ? failure("standard output", error) : "";
}
