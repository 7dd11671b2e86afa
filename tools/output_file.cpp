#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// How a path is written, and where the bytes finally land.
struct Destination {
    enum Kind { StandardOutput, InPlace, ByRename } kind;
    std::string file;  // ByRename: the file replaced (a link's target)
};

Destination destinationOf(const std::string& path) {
    if (path == "-") return {Destination::StandardOutput, ""};
    struct stat target {};
    // stat follows links: a link to a device is written in place too.
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode))
        return {Destination::InPlace, path};
    // Follow a chain of links to the file they name, which may not exist yet.
    fs::path file = path;
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(file, error); ++hops) {
        const fs::path linked = fs::read_symlink(file, error);
        if (error) break;
        file = linked.is_absolute() ? linked : file.parent_path() / linked;
    }
    return {Destination::ByRename, file.string()};
}

std::string temporaryFor(const std::string& file) {
    return file + ".tmp." + std::to_string(getpid());
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

}  // namespace

std::string checkWritable(const std::string& path) {
    std::error_code error;
    if (path != "-" && fs::is_directory(path, error)) return "'" + path + "' is a folder, not a file";
    const Destination destination = destinationOf(path);
    switch (destination.kind) {
        case Destination::StandardOutput: return "";
        case Destination::InPlace:
            return ::access(path.c_str(), W_OK) == 0 ? "" : "cannot write '" + path + "'";
        case Destination::ByRename: break;
    }
    // The temporary file that writing would use can be made.
    const std::string temporary = temporaryFor(destination.file);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return "cannot write '" + path + "'";
    std::fclose(file);
    std::remove(temporary.c_str());
    return "";
}

std::string writeOutput(const std::string& path, const std::function<bool(std::FILE*)>& write) {
    const Destination destination = destinationOf(path);
    if (destination.kind == Destination::StandardOutput) {
        const int error = writeAndFlush(stdout, write);
        return error ? failure("standard output", error) : "";
    }
    if (destination.kind == Destination::InPlace) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) return failure(path, errno);
        int error = writeAndFlush(file, write);
        if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
        return error ? failure(path, error) : "";
    }
    const std::string temporary = temporaryFor(destination.file);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return failure(path, errno);
    int error = writeAndFlush(file, write);
    if (std::fclose(file) != 0 && !error) error = errno ? errno : EIO;
    if (!error && std::rename(temporary.c_str(), destination.file.c_str()) != 0) error = errno;
    if (!error) return "";
    std::remove(temporary.c_str());
    return failure(path, error);
}

std::string writeTextFile(const std::string& path, const std::string& text) {
    return writeOutput(path, [&](std::FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
}
