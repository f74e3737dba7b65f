// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/text_file.h"

#include <fstream>
#include <sstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>

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

// Writes all bytes to a new file and makes them durable before it is renamed.
bool WriteNewFile(const std::filesystem::path& path, const std::string& text, std::string& reason) {
#if defined(__unix__) || defined(__APPLE__)
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        reason = std::error_code(errno, std::generic_category()).message();
        return false;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            reason = std::error_code(errno, std::generic_category()).message();
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        reason = std::error_code(errno, std::generic_category()).message();
        return false;
    }
    return true;
#else
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) reason = "write error";
    return static_cast<bool>(out);
#endif
}

int ProcessId() {
#if defined(__unix__) || defined(__APPLE__)
    return static_cast<int>(::getpid());
#else
    return 0;
#endif
}

}  // namespace

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
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        error = ec.message();
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace zt
