#include "folder_events.h"

#include "piped_process.h"

#include <cerrno>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

namespace vendaxo::test {

FolderEvents::FolderEvents(const std::filesystem::path& folder)
    : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (m_fd < 0 || ::inotify_add_watch(m_fd, folder.c_str(), IN_ALL_EVENTS) < 0)
        throw std::runtime_error("cannot watch " + folder.string());
}

FolderEvents::~FolderEvents() {
    ::close(m_fd);
}

void FolderEvents::restart() {
    while (collect()) {
    }
    m_count = 0;
}

bool FolderEvents::waitFor(std::size_t count, PipedProcess& child) {
    while (m_count < count) {
        if (child.outputFd() < 0) {
            // Ended: what it did before still counts.
            while (collect()) {
            }
            return m_count >= count;
        }
        pollfd waiting[2] = {{m_fd, POLLIN, 0}, {child.outputFd(), POLLIN, 0}};
        if (::poll(waiting, 2, -1) < 0 && errno != EINTR)
            throw std::runtime_error("poll failed");
        collect();
        if (waiting[1].revents != 0)
            child.readSome();
    }
    return true;
}

bool FolderEvents::collect() {
    alignas(inotify_event) char buffer[16384];
    ssize_t got;
    while ((got = ::read(m_fd, buffer, sizeof buffer)) < 0 && errno == EINTR) {
    }
    if (got <= 0)
        return false;
    for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        ++m_count;
    }
    return true;
}

} // namespace vendaxo::test
