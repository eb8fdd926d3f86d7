#include "base/file_io.h"

#include "base/error.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vendaxo {

namespace fs = std::filesystem;

namespace {

// Keeps each read and write call within what every platform's size type takes.
constexpr std::size_t kChunk = std::size_t{1} << 30;

std::string displayName(const fs::path& file) {
    const std::u8string name = file.u8string();
    return std::string(reinterpret_cast<const char*>(name.data()), name.size());
}

std::string errnoReason(int error) {
    return std::generic_category().message(error);
}

[[noreturn]] void failRead(const fs::path& file, const std::string& reason) {
    throw Error("Cannot read " + displayName(file) + ": " + reason);
}

[[noreturn]] void failSave(const fs::path& file, const std::string& reason) {
    throw Error("Cannot save " + displayName(file) + ": " + reason);
}

#ifdef _WIN32
int openForReading(const fs::path& file) {
    return _wopen(file.c_str(), _O_RDONLY | _O_BINARY);
}
int createExclusive(const fs::path& file) {
    return _wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long long readSome(int fd, char* data, std::size_t size) {
    return _read(fd, data, static_cast<unsigned>(size));
}
long long writeSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(size));
}
int flushToDisk(int fd) {
    return _commit(fd);
}
int closeFile(int fd) {
    return _close(fd);
}
#else
int openForReading(const fs::path& file) {
    return ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
}
int createExclusive(const fs::path& file) {
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long long readSome(int fd, char* data, std::size_t size) {
    return ::read(fd, data, size);
}
long long writeSome(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}
int flushToDisk(int fd) {
    return ::fsync(fd);
}
int closeFile(int fd) {
    return ::close(fd);
}
#endif

std::string randomSuffix() {
    // Seeded from the clock as well: some platforms' random_device is deterministic.
    static std::mt19937_64 generator(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static constexpr char kDigits[] = "0123456789abcdef";
    std::uint64_t value = generator();
    std::string suffix;
    for (int i = 0; i < 12; ++i, value >>= 4)
        suffix.push_back(kDigits[value & 0xF]);
    return suffix;
}

// The temporary file beside the target; removed unless it was renamed into place.
class TempFile {
public:
    // `shown` names the file in the error: the one the merchant chose, not a link's target.
    TempFile(const fs::path& target, const fs::path& shown) {
        int error = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = target.parent_path() / ".";
            m_path += target.filename().native();
            m_path += ".tmp-" + randomSuffix();
            m_fd = createExclusive(m_path);
            error = errno;
            if (m_fd >= 0 || error != EEXIST)
                break;
        }
        if (m_fd < 0)
            failSave(shown, errnoReason(error));
    }
    ~TempFile() {
        if (m_fd >= 0)
            closeFile(m_fd);
        if (!m_committed) {
            std::error_code ignored;
            fs::remove(m_path, ignored);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return m_fd; }
    const fs::path& path() const { return m_path; }
    // Closes the descriptor; returns errno on failure, 0 on success.
    int close() {
        const int result = closeFile(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }
    void committed() { m_committed = true; }

private:
    fs::path m_path;
    int m_fd = -1;
    bool m_committed = false;
};

#ifndef _WIN32
// Makes the rename itself survive a crash. The new content is already in place
// when this runs, so a failure here is not worth reporting.
void flushFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

} // namespace

fs::path pathFromUtf8(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string readFileBytes(const fs::path& file) {
    const int fd = openForReading(file);
    if (fd < 0)
        failRead(file, errnoReason(errno));
    // Read straight into the string, sized for the whole file (and one byte
    // more, so that the read that finds the end needs no growth): pages are
    // read by the thousand.
    std::error_code sizeError;
    const std::uintmax_t expected = fs::file_size(file, sizeError);
    std::string bytes(sizeError ? 64 * 1024 : static_cast<std::size_t>(expected) + 1, '\0');
    std::size_t size = 0;
    for (;;) {
        if (size == bytes.size())
            bytes.resize(bytes.size() * 2);
        const long long got = readSome(fd, bytes.data() + size, bytes.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            closeFile(fd);
            failRead(file, errnoReason(error));
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    closeFile(fd);
    bytes.resize(size);
    return bytes;
}

void writeFileAtomically(const fs::path& file, std::string_view bytes) {
    // Replace what a symbolic link points to, not the link itself.
    std::error_code error;
    fs::path target = file;
    if (fs::is_symlink(file, error)) {
        target = fs::weakly_canonical(file, error);
        if (error)
            failSave(file, error.message());
    }

    TempFile temp(target, file);
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t size = std::min(bytes.size() - done, kChunk);
        const long long written = writeSome(temp.fd(), bytes.data() + done, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            failSave(file, errnoReason(written < 0 ? errno : EIO));
        done += static_cast<std::size_t>(written);
    }

#ifndef _WIN32
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 &&
        ::fchmod(temp.fd(), existing.st_mode & 07777) != 0)
        failSave(file, errnoReason(errno));
#endif
    if (flushToDisk(temp.fd()) != 0)
        failSave(file, errnoReason(errno));
    if (const int closeError = temp.close(); closeError != 0)
        failSave(file, errnoReason(closeError));

#ifdef _WIN32
    if (!MoveFileExW(temp.path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failSave(file, std::system_category().message(static_cast<int>(GetLastError())));
    temp.committed();
#else
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        failSave(file, errnoReason(errno));
    temp.committed();
    flushFolder(target.parent_path());
#endif
}

} // namespace vendaxo
