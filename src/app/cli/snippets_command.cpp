#include "app/cli/cli_support.h"
#include "base/error.h"
#include "base/file_io.h"
#include "base/json.h"
#include "settings/store_options.h"
#include "snippets/snippet_reader.h"

#include <iostream>

namespace vendaxo::cli {

namespace {

struct SnippetsOptions {
    std::vector<std::string> pages;
    bool json = false;
};

struct PageSnippets {
    std::string page;
    std::vector<ReadSnippet> snippets;
};

std::string jsonValue(const SnippetValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return jsonString(*text);
    if (const auto* flag = std::get_if<bool>(&value))
        return jsonBool(*flag);
    if (const auto* list = std::get_if<std::vector<std::string>>(&value))
        return jsonStrings(*list);
    return "null";
}

std::string jsonText(const std::vector<PageSnippets>& pages) {
    std::vector<std::string> objects;
    for (const PageSnippets& page : pages) {
        for (const ReadSnippet& snippet : page.snippets) {
            std::vector<std::pair<std::string, std::string>> members = {
                {"page", jsonString(page.page)},
                {"line", std::to_string(snippet.line)},
                {"kind", jsonString(snippetKindName(snippet.kind))},
            };
            for (const NamedSnippetValue& value : snippet.values)
                members.emplace_back(value.name, jsonValue(value.value));
            members.emplace_back("problems", jsonStrings(snippet.problems));
            objects.push_back("  " + jsonObject(members, 1));
        }
    }
    std::string text = "[";
    for (std::size_t i = 0; i < objects.size(); ++i)
        text += (i ? ",\n" : "\n") + objects[i];
    return text + (objects.empty() ? "]\n" : "\n]\n");
}

const SnippetValue* valueOf(const ReadSnippet& snippet, std::string_view name) {
    for (const NamedSnippetValue& value : snippet.values) {
        if (value.name == name)
            return &value.value;
    }
    return nullptr;
}

std::string textOf(const ReadSnippet& snippet, std::string_view name, std::string_view absent) {
    const SnippetValue* value = valueOf(snippet, name);
    const auto* text = value ? std::get_if<std::string>(value) : nullptr;
    return text ? *text : std::string(absent);
}

// The SKU and price of a purchase button, the caption of a button, the
// shipping method of a checkout form.
std::string summary(const ReadSnippet& snippet) {
    switch (snippet.kind) {
    case SnippetKind::Purchase:
        return textOf(snippet, "sku", "(no SKU)") + " " +
               (valueOf(snippet, "price") &&
                        std::holds_alternative<std::string>(*valueOf(snippet, "price"))
                    ? "$" + textOf(snippet, "price", "")
                    : "(no price)");
    case SnippetKind::ViewCart:
    case SnippetKind::RetrieveOrders:
        return "\"" + textOf(snippet, "caption", "") + "\"";
    case SnippetKind::Checkout:
        return textOf(snippet, "shipping", "(no shipping method)");
    }
    return {};
}

std::string plainText(const std::vector<PageSnippets>& pages) {
    std::string text;
    for (const PageSnippets& page : pages) {
        for (const ReadSnippet& snippet : page.snippets) {
            text += page.page + ":" + std::to_string(snippet.line) + ": " +
                    std::string(snippetKindName(snippet.kind)) + " " + summary(snippet);
            for (std::size_t i = 0; i < snippet.problems.size(); ++i)
                text += (i ? "; " : " (damaged: ") + snippet.problems[i];
            text += snippet.problems.empty() ? "\n" : ")\n";
        }
    }
    return text;
}

// Lists the forms on standard output and a page that cannot be read on standard
// error, going on with the other pages.
int listSnippets(const SnippetsOptions& options) {
    std::vector<PageSnippets> pages;
    int status = kExitDone;
    for (const std::string& page : options.pages) {
        try {
            const std::string bytes = readFileBytes(pathFromUtf8(page)); // its errors name the file
            try {
                pages.push_back({page, readSnippets(bytes)});
            } catch (const Error& error) {
                throw Error(page + ": " + error.what());
            }
        } catch (const Error& error) {
            std::cerr << "vendaxo-cli: " << error.what() << '\n';
            status = kExitError;
        }
    }
    writeStdout(options.json ? jsonText(pages) : plainText(pages));
    return status;
}

} // namespace

void addSnippetsCommand(CLI::App& app, Commands& commands) {
    auto options = std::make_shared<SnippetsOptions>();
    CLI::App* command = app.add_subcommand(
        "snippets", "List the Vendaxo forms of pages: PAGE:LINE: KIND and a summary. Option lists "
                    "read back are titled List 1, List 2, ... by their field number; rename them "
                    "in the purchase dialog");
    command->add_option("page", options->pages, "Page files")->required();
    command->add_flag("--json", options->json,
                      "As a JSON array, one object per form with its values under the purchase "
                      "and checkout commands' option names and its problems");
    // Needs no store: pages are read as they are.
    commands.add(command, [options](const GlobalOptions&) { return listSnippets(*options); });
}

} // namespace vendaxo::cli
