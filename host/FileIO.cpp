#include "FileIO.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lmhost {
namespace {

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

void writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            failWithErrno("cannot write the temporary file", errno);
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
}

// A fresh name beside the target; O_EXCL in the caller guards against a clash.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target, int attempt)
{
    std::filesystem::path temporary = target;
    temporary += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(attempt);
    return temporary;
}

} // namespace

std::string readFileLimited(const std::filesystem::path& path, std::size_t maxBytes)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) failWithErrno("cannot open the file", errno);
    struct stat status {};
    if (::fstat(file.get(), &status) == 0 && S_ISDIR(status.st_mode))
        throw std::runtime_error("is a directory, not a stackup file");

    // Read in chunks rather than trusting the size: pipes and special files have none.
    std::string content;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            failWithErrno("cannot read the file", errno);
        }
        if (got == 0) break;
        if (content.size() + static_cast<std::size_t>(got) > maxBytes)
            throw std::runtime_error("file is larger than the limit of " + std::to_string(maxBytes) + " bytes");
        content.append(chunk, static_cast<std::size_t>(got));
    }
    return content;
}

void replaceFileAtomically(const std::filesystem::path& target, std::string_view content)
{
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = temporaryPathFor(target, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) failWithErrno("cannot create a temporary file beside it", errno);
    }
    if (fd < 0) throw std::runtime_error("cannot create a temporary file beside it");
    FileDescriptor file(fd);

    try {
        // A replaced file keeps its permissions; a new one gets 0666 less the umask.
        struct stat previous {};
        if (::stat(target.c_str(), &previous) == 0 && S_ISREG(previous.st_mode))
            ::fchmod(file.get(), previous.st_mode & 07777);
        writeAll(file.get(), content);
        if (::fsync(file.get()) != 0) failWithErrno("cannot flush the temporary file", errno);
        if (file.release() != 0) failWithErrno("cannot close the temporary file", errno);
        if (::rename(temporary.c_str(), target.c_str()) != 0) failWithErrno("cannot replace the file", errno);
    } catch (...) {
        file.release();
        ::unlink(temporary.c_str());
        throw;
    }

    // Make the rename itself durable; a failure here no longer endangers either version.
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

} // namespace lmhost
