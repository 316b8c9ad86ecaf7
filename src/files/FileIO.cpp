#include "files/FileIO.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lm::files {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void failWithErrno(const std::string& what, int error)
{
    throw std::runtime_error(what + ": " + std::strerror(error));
}

// Closes the descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { release(); }
    int get() const { return fd_; }
    int release()
    {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

void refuseIrregular(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        throw std::runtime_error("is a directory, not a regular file");
    if (!S_ISREG(status.st_mode))
        throw std::runtime_error("is not a regular file");
}

void writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno("cannot write the temporary file", errno);
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A fresh name beside the target; O_EXCL in the caller guards against a clash.
fs::path temporaryPathFor(const fs::path& target, int attempt)
{
    fs::path temporary = target;
    temporary += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(attempt);
    return temporary;
}

// Makes a rename in the folder lasting; a failure here no longer endangers either version.
void flushFolder(const fs::path& target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : ".";
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

} // namespace

std::string readRegularFile(const fs::path& path, std::size_t maxBytes)
{
    // Non-blocking, so that opening a named pipe without a writer returns at once
    // and the type check below can refuse it.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        failWithErrno("cannot open the file", errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        failWithErrno("cannot read the file", errno);
    refuseIrregular(status);

    // Read in chunks rather than trusting the size: the file may grow or shrink meanwhile.
    std::string content;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno("cannot read the file", errno);
        }
        if (got == 0)
            break;
        if (content.size() + static_cast<std::size_t>(got) > maxBytes)
            throw std::runtime_error("file is larger than the limit of " + std::to_string(maxBytes) + " bytes");
        content.append(chunk, static_cast<std::size_t>(got));
    }
    return content;
}

fs::path followLinks(const fs::path& path)
{
    fs::path current = path;
    // As many hops as the system itself follows before it reports a loop.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            failWithErrno("cannot read the symbolic link", error.value());
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    failWithErrno("cannot follow the symbolic link", ELOOP);
}

void replaceFile(const fs::path& path, std::string_view content)
{
    const fs::path target = followLinks(path);
    struct stat previous {};
    const bool exists = ::stat(target.c_str(), &previous) == 0;
    if (exists) {
        refuseIrregular(previous);
        // Renaming over a read-only file would succeed; the user marked it so as not to have it changed.
        if ((previous.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            throw std::runtime_error("the file is read-only");
    }

    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = temporaryPathFor(target, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            failWithErrno("cannot create a temporary file beside it", errno);
    }
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file beside it");
    FileDescriptor file(fd);

    try {
        // A replaced file keeps its permissions; a new one gets 0666 less the umask.
        if (exists)
            ::fchmod(file.get(), previous.st_mode & 07777);
        writeAll(file.get(), content);
        if (::fsync(file.get()) != 0)
            failWithErrno("cannot flush the temporary file", errno);
        if (file.release() != 0)
            failWithErrno("cannot close the temporary file", errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            failWithErrno("cannot replace the file", errno);
    } catch (...) {
        file.release();
        ::unlink(temporary.c_str());
        throw;
    }
    flushFolder(target);
}

} // namespace lm::files
