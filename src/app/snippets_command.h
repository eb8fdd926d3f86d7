#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace vendaxo {

struct SnippetsOptions {
    std::vector<std::string> pages;
    bool json = false;
};

// vendaxo-cli snippets PAGE... [--json]: the Vendaxo forms of the pages.
CLI::App* addSnippetsCommand(CLI::App& app, SnippetsOptions& options);

// Lists the forms on standard output, a page that cannot be read on standard
// error; returns 1 when a page could not be read, after going through the others.
int runSnippetsCommand(const SnippetsOptions& options);

} // namespace vendaxo
