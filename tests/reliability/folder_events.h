#pragma once

#include <cstddef>
#include <filesystem>

namespace vendaxo::test {

class PipedProcess;

// What happens to the files of one folder (and the folder itself), counted: each
// open, read, write, close, creation, rename and removal, as inotify reports them.
// A test kills a child after a chosen number of these, so that where the kill
// lands is decided by the child's progress, not by the clock.
class FolderEvents {
public:
    explicit FolderEvents(const std::filesystem::path& folder);
    ~FolderEvents();
    FolderEvents(const FolderEvents&) = delete;
    FolderEvents& operator=(const FolderEvents&) = delete;

    // Forgets what has happened so far: counting starts again from zero.
    void restart();
    // Waits until `count` events have been counted since the restart; false if
    // the child closed its output (so ended) before.
    bool waitFor(std::size_t count, PipedProcess& child);
    std::size_t count() const { return m_count; }

private:
    // Reads the events waiting; false when there were none.
    bool collect();

    int m_fd = -1;
    std::size_t m_count = 0;
};

} // namespace vendaxo::test
