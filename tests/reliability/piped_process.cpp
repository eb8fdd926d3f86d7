#include "piped_process.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace vendaxo::test {

PipedProcess::PipedProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0)
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

bool PipedProcess::readFor(std::chrono::milliseconds timeout) {
    if (m_fd < 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd poller{m_fd, POLLIN, 0};
        const int ready =
            ::poll(&poller, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return true;
        char buffer[4096];
        const auto got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0) {
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
        m_output.append(buffer, static_cast<std::size_t>(got));
        if (left.count() <= 0)
            return true;
    }
}

void PipedProcess::kill() {
    if (m_exitCode < 0)
        ::kill(m_pid, SIGKILL);
    wait();
    while (readFor(std::chrono::milliseconds(1000))) {
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
