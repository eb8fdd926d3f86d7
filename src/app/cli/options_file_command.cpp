// Option list files, read without the store.
#include "app/cli/cli_support.h"
#include "base/file_io.h"
#include "snippets/option_file.h"
#include "snippets/option_lists.h"

namespace vendaxo::cli {

namespace {

// Each list as "Title: item, item", one a line.
std::string optionListsText(const OptionGrid& grid) {
    std::string text;
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        text += grid.title(c) + ":";
        const char* separator = " ";
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            if (!grid.cell(c, r).empty()) {
                text += separator + grid.cell(c, r);
                separator = ", ";
            }
        }
        text += '\n';
    }
    return text;
}

} // namespace

void addOptionsFileCommand(CLI::App& app, Commands& commands) {
    CLI::App* command = app.add_subcommand("options-file", "Option list files");
    command->require_subcommand(1);
    auto file = std::make_shared<std::string>();
    CLI::App* show = command->add_subcommand("show", "Print a file's option lists, one a line");
    show->add_option("file", *file, "Option lists file (.vdx)")->required();
    commands.add(show, [file](const GlobalOptions&) {
        OptionGrid grid;
        grid.rebuild(readOptionFile(pathFromUtf8(*file)));
        writeStdout(optionListsText(grid));
        return kExitDone;
    });
}

} // namespace vendaxo::cli
