#include "record/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace go {
namespace {

std::string SystemReason(const char* step) { return std::string(step) + ": " + std::strerror(errno); }

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closes now and reports the result, which for a written file can carry a late write error.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t maxBytes) {
    FileReadResult result;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        result.error = FileReadError::CannotOpen;
        result.detail = SystemReason("open");
        return result;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        result.error = FileReadError::CannotRead;
        result.detail = SystemReason("stat");
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = FileReadError::CannotRead;
        result.detail = "not a regular file";
        return result;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        result.error = FileReadError::TooLarge;
        result.detail = std::to_string(info.st_size) + " bytes, more than " + std::to_string(maxBytes);
        return result;
    }
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = FileReadError::CannotRead;
            result.detail = SystemReason("read");
            result.bytes.clear();
            return result;
        }
        if (n == 0) break;
        if (result.bytes.size() + static_cast<size_t>(n) > maxBytes) {
            result.error = FileReadError::TooLarge;
            result.detail = "grew past " + std::to_string(maxBytes) + " bytes while being read";
            result.bytes.clear();
            return result;
        }
        result.bytes.insert(result.bytes.end(), chunk, chunk + n);
    }
    return result;
}

FileWriteResult WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    static std::atomic<unsigned> sequence{0};
    FileWriteResult result;
    const std::string directory = DirectoryOf(path);
    const std::string base = path.substr(path.find_last_of('/') + 1);
    if (base.empty()) {
        result.detail = "no file name in \"" + path + "\"";
        return result;
    }

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = directory + "/." + base + ".tmp-" + std::to_string(::getpid()) + "-" +
                    std::to_string(sequence.fetch_add(1));
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        result.detail = SystemReason("create");
        return result;
    }
    FileDescriptor file(fd);
    // Saving over a file keeps that file's permissions.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(file.get(), existing.st_mode & 07777);
    }
    const char* failedStep = nullptr;
    if (!WriteAll(file.get(), bytes)) {
        failedStep = "write";
    } else if (::fsync(file.get()) != 0) {
        failedStep = "flush";
    } else if (!file.Close()) {
        failedStep = "close";
    } else if (::rename(temporary.c_str(), path.c_str()) != 0) {
        failedStep = "rename";
    }
    if (failedStep != nullptr) {
        result.detail = SystemReason(failedStep);
        ::unlink(temporary.c_str());
        return result;
    }
    // Make the rename itself durable; the file is already complete either way.
    FileDescriptor folder(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    result.written = true;
    return result;
}

}  // namespace go
