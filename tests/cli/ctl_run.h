#pragma once
// Runs the built zt790ctl in a scratch folder and captures what it prints.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zt::testing {

struct CtlResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ScratchDir {
  public:
    ScratchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zt790ctl-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp");
        path_ = tmpl;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const {
        return path_ / name;
    }
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// ZT_BIN_DIR when set, otherwise the folder of this test program (the build
// puts every program in one bin folder).
inline std::string BinDir() {
    if (const char* dir = std::getenv("ZT_BIN_DIR"); dir && *dir) {
        return std::filesystem::absolute(dir).string();
    }
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

// `args` is passed to the shell as it stands; quote paths with spaces.
inline CtlResult RunCtl(const ScratchDir& dir, const std::string& args) {
    const auto out = dir / ".out";
    const auto err = dir / ".err";
    const std::string command = "cd '" + dir.path().string() + "' && '" + BinDir() + "/zt790ctl' " +
                                args + " >'" + out.string() + "' 2>'" + err.string() +
                                "' </dev/null";
    const int status = std::system(command.c_str());
    CtlResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    return r;
}

}  // namespace zt::testing
