#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vendaxo::test {

// A program started with its standard input read from one file and its standard
// output and error written to two others; no shell comes between.
class ChildProcess {
public:
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                 const std::filesystem::path& in, const std::filesystem::path& out,
                 const std::filesystem::path& err);
    // Waits for a child that was not waited for.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit code; 128 + the signal number for a child killed by a signal.
    int wait();

private:
#ifdef _WIN32
    void* m_process = nullptr;
#else
    int m_pid = -1;
#endif
    int m_exitCode = -1;
};

inline int runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& in, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
    return ChildProcess(program, args, in, out, err).wait();
}

// The folder of the running test program.
std::filesystem::path programFolder();

} // namespace vendaxo::test
