#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vendaxo::test {

// A child whose standard output comes back through a pipe, so that the test can
// see each line the moment it is written and kill the child at any point.
class PipedProcess {
public:
    PipedProcess(const std::filesystem::path& program, const std::vector<std::string>& args);
    ~PipedProcess();
    PipedProcess(const PipedProcess&) = delete;
    PipedProcess& operator=(const PipedProcess&) = delete;

    // Waits until `count` lines have arrived in all; false if the child closed
    // its output before.
    bool waitForLines(std::size_t count);
    // One read of what the child wrote, waiting for it; false once the child
    // closed its output.
    bool readSome();
    // The output's end of the pipe, to wait for beside other things; -1 once closed.
    int outputFd() const { return m_fd; }
    // SIGKILL, then everything the child wrote before it died.
    void kill();
    // The exit code, or 128 + the signal number.
    int wait();

    // Complete lines received so far.
    std::vector<std::string> lines() const;
    const std::string& output() const { return m_output; }

private:
    int m_pid = -1;
    int m_fd = -1;
    int m_exitCode = -1;
    std::string m_output;
};

} // namespace vendaxo::test
