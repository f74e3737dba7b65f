// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/text_file.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zt {

std::optional<std::string> ReadTextFile(const std::filesystem::path& path, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path.string() + " is a folder";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path.string();
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path.string();
        return std::nullopt;
    }
    return text.str();
}

namespace {

struct Fault {
    WriteStep step;
    int error;
};
std::optional<Fault> injected;

// The errno value a test makes `step` fail with, or 0.
int InjectedError(WriteStep step) {
    return injected && injected->step == step ? injected->error : 0;
}

std::string Reason(int error) { return std::error_code(error, std::generic_category()).message(); }

#if defined(__unix__) || defined(__APPLE__)

// The system calls a test can make fail: the fault comes back as the system's
// own refusal, with errno set. A refused write lets the first part of the text
// out first, as a disk that fills up does.
ssize_t WriteSome(int fd, const char* data, std::size_t size, bool first) {
    const int fault = InjectedError(WriteStep::Write);
    if (fault != 0 && !first) {
        errno = fault;
        return -1;
    }
    return ::write(fd, data, fault != 0 ? (size + 1) / 2 : size);
}

int Flush(int fd) {
    if (const int fault = InjectedError(WriteStep::Flush)) {
        errno = fault;
        return -1;
    }
    return ::fsync(fd);
}

// Writes all bytes to a new file and makes them durable before it is renamed.
// The file is closed whatever happens; the caller removes it on failure.
bool WriteNewFile(const std::filesystem::path& path, const std::string& text, std::string& reason) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        reason = Reason(errno);
        return false;
    }
    int error = 0;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = WriteSome(fd, text.data() + done, text.size() - done, done == 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (error == 0 && Flush(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) reason = Reason(error);
    return error == 0;
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

int ProcessId() { return static_cast<int>(::getpid()); }

#else

bool WriteNewFile(const std::filesystem::path& path, const std::string& text, std::string& reason) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    int error = InjectedError(WriteStep::Write);
    out.write(text.data(), static_cast<std::streamsize>(error ? text.size() / 2 : text.size()));
    if (error == 0) error = InjectedError(WriteStep::Flush);
    out.close();
    if (error == 0 && !out) error = EIO;
    if (error != 0) reason = Reason(error);
    return error == 0;
}

void SyncFolder(const std::filesystem::path&) {}

int ProcessId() { return 0; }

#endif

void Rename(const std::filesystem::path& from, const std::filesystem::path& to,
            std::error_code& ec) {
    if (const int fault = InjectedError(WriteStep::Rename)) {
        ec = std::error_code(fault, std::generic_category());
        return;
    }
    std::filesystem::rename(from, to, ec);
}

}  // namespace

ScopedWriteFault::ScopedWriteFault(WriteStep step, int error) { injected = Fault{step, error}; }

ScopedWriteFault::~ScopedWriteFault() { injected.reset(); }

bool WriteTextFile(const std::filesystem::path& path, const std::string& text, std::string& error) {
    std::error_code ec;
    // Replace what a link points at, not the link.
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) target = resolved;
    }
    if (std::filesystem::is_directory(target, ec)) {
        error = "it is a folder";
        return false;
    }

    static unsigned serial = 0;
    std::filesystem::path temp = target;
    temp += ".saving-" + std::to_string(ProcessId()) + "-" + std::to_string(++serial);

    if (!WriteNewFile(temp, text, error)) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    // A replaced file keeps its permissions.
    const auto status = std::filesystem::status(target, ec);
    if (!ec && std::filesystem::exists(status)) {
        std::filesystem::permissions(temp, status.permissions(), ec);
    }
    Rename(temp, target, ec);
    if (ec) {
        error = ec.message();
        std::filesystem::remove(temp, ec);
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

}  // namespace zt
