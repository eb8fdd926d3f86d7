#include "piped_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace vendaxo::test {

PipedProcess::PipedProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& args) {
    int fds[2];
    // Close-on-exec, so that no other child holds the pipe open after this one died.
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> argv = {program.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv)
        pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (m_pid < 0) {
        ::close(fds[0]);
        throw std::runtime_error("fork failed");
    }
    m_fd = fds[0];
}

PipedProcess::~PipedProcess() {
    if (m_pid > 0 && m_exitCode < 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PipedProcess::waitForLines(std::size_t count) {
    while (static_cast<std::size_t>(std::count(m_output.begin(), m_output.end(), '\n')) < count) {
        if (!readSome())
            return false;
    }
    return true;
}

bool PipedProcess::readSome() {
    if (m_fd < 0)
        return false;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(m_fd, buffer, sizeof buffer)) < 0 && errno == EINTR) {
    }
    if (got <= 0) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_output.append(buffer, static_cast<std::size_t>(got));
    return true;
}

void PipedProcess::kill() {
    if (m_exitCode < 0)
        ::kill(m_pid, SIGKILL);
    wait();
    while (readSome()) {
    }
}

int PipedProcess::wait() {
    if (m_exitCode >= 0)
        return m_exitCode;
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return m_exitCode;
}

std::vector<std::string> PipedProcess::lines() const {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = m_output.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(m_output.substr(start, end - start));
    return out;
}

} // namespace vendaxo::test
