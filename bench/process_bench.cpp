// process_bench: whole programs as the merchant starts them, each beside a
// baseline program started the same way.
#include "base/error.h"
#include "bench_support.h"
#include "ratio_reporter.h"
#include "shell/merchant_session.h"
#include "site/form_verdict.h"
#include "site/site_generator.h"
#include "site/site_pages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vendaxo::bench {

namespace {

struct Outcome {
    double seconds = 0;
    long peakKilobytes = 0;
};

// Where /usr/bin/time leaves the peak memory of the program it ran.
const std::filesystem::path& peakFile() {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("peak-rss-" + std::to_string(getpid()));
    return file;
}

// Runs a program to its end with its output thrown away. It runs under
// /usr/bin/time, which forks it: a program spawned from this one directly
// would report this process's peak memory as its own, since Linux carries the
// peak across exec.
Outcome runProgram(const std::vector<std::string>& arguments) {
    std::vector<std::string> timed = {"/usr/bin/time", "-f", "%M", "-o", peakFile().string()};
    timed.insert(timed.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (const std::string& argument : timed)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw Error("cannot start " + timed[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        throw Error("lost " + arguments[0]);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw Error(arguments[0] + " failed with status " + std::to_string(status));
    long peakKilobytes = 0;
    std::ifstream(peakFile()) >> peakKilobytes;
    return {elapsed.count(), peakKilobytes};
}

// One store for every program, with the demo merchant and all settings written.
const std::filesystem::path& storeFile() {
    static TempDir dir;
    static const std::filesystem::path file = [] {
        const std::filesystem::path path = dir.path() / "registry.sqlite3";
        SqliteStore store(path);
        installDemoMerchant(store);
        saveSettings(store, richCheckoutSettings(ShippingMethod::UserChoice));
        return path;
    }();
    return file;
}

// Writes a site whose forms are as Insert writes them with the store's
// settings, installing the demo merchant into an empty store first.
void writeSite(SqliteStore& store, const std::filesystem::path& folder, std::size_t pages) {
    if (Installation::load(store).serial.empty()) {
        installDemoMerchant(store);
        saveSettings(store, richCheckoutSettings(ShippingMethod::UserChoice));
    }
    std::filesystem::remove_all(folder);
    MerchantSession session(store);
    session.activate(Installation::load(store));
    const SiteSettings settings = SiteSettings::load(session);
    const test::GeneratedSite site =
        test::writeGeneratedSite(folder, pages, settings.profile, settings.checkout, 2026);
    std::fprintf(stderr, "site of %zu pages: %.1f MB, %zu with forms, %zu forms\n", site.pages,
                 static_cast<double>(site.bytes) / 1e6, site.pagesWithForms, site.forms);
}

// A generated site of `pages` pages beside the store, its forms as Insert
// writes them with the store's settings, written once per run.
const std::filesystem::path& generatedSite(std::size_t pages) {
    static std::map<std::size_t, std::filesystem::path> sites;
    auto& folder = sites[pages];
    if (folder.empty()) {
        folder = storeFile().parent_path() / ("site" + std::to_string(pages));
        SqliteStore store(storeFile());
        writeSite(store, folder, pages);
    }
    return folder;
}

// cat with every page of the site: reading the same files.
std::vector<std::string> catSite(std::size_t pages) {
    std::vector<std::string> arguments = {"/bin/cat"};
    for (const SitePage& page : listSitePages({generatedSite(pages)}).pages)
        arguments.push_back(page.file.string());
    return arguments;
}

void registerProgram(const std::string& name, std::function<std::vector<std::string>()> command) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [command](benchmark::State& state) {
                                     const std::vector<std::string> arguments = command();
                                     long peak = 0;
                                     for (auto _ : state) {
                                         try {
                                             const Outcome outcome = runProgram(arguments);
                                             state.SetIterationTime(outcome.seconds);
                                             peak = std::max(peak, outcome.peakKilobytes);
                                         } catch (const std::exception& error) {
                                             state.SkipWithError(error.what());
                                             break;
                                         }
                                     }
                                     state.counters["peak_rss_kB"] = static_cast<double>(peak);
                                 })
        ->UseManualTime()
        ->MinTime(1.0)
        ->Unit(benchmark::kMillisecond);
}

// The products of the catalogue, the same in the script and in the list.
long catalogueProducts() {
    return environmentNumber("VENDAXO_BENCH_PRODUCTS", 10000);
}

// A script that prints one purchase button per product, one process each: the
// way a list was turned into buttons before the catalogue command.
void catalogueScript(benchmark::State& state) {
    const long products = catalogueProducts();
    TempDir dir;
    const std::filesystem::path script = dir.path() / "catalogue.sh";
    {
        std::ofstream out(script);
        out << "set -e\ncli=\"$1\" store=\"$2\" page=\"$3\"\n"
            << "for i in $(seq 1 " << products << "); do\n"
            << "  \"$cli\" --store \"$store\" purchase --sku \"K$i\" --price 9.50"
               " --description \"Kite number $i\" --quantity-box --discount 10=8.50 >>\"$page\"\n"
            << "done\n";
    }
    const std::vector<std::string> arguments = {"/bin/bash", script.string(), VENDAXO_CLI,
                                                storeFile().string(),
                                                (dir.path() / "catalogue.html").string()};
    double total = 0;
    for (auto _ : state) {
        try {
            const double seconds = runProgram(arguments).seconds;
            state.SetIterationTime(seconds);
            total += seconds;
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
    state.counters["products"] = static_cast<double>(products);
    state.counters["per_product_us"] =
        total * 1e6 / static_cast<double>(products * std::max<long>(1, state.iterations()));
}

constexpr std::string_view kCataloguePage = "<html><body>\n<!--vendaxo:caret-->\n</body></html>\n";

// The script's products as a product list, and a page to insert them into.
struct CatalogueFiles {
    TempDir dir;
    std::filesystem::path list = dir.path() / "catalogue.csv";
    std::filesystem::path page = dir.path() / "catalogue.html";

    CatalogueFiles() {
        std::ofstream out(list, std::ios::binary);
        out << "sku,price,description,quantity-box,discounts\n";
        for (long i = 1; i <= catalogueProducts(); ++i)
            out << 'K' << i << ",9.50,Kite number " << i << ",yes,10=8.50\n";
    }
    std::vector<std::string> command() const {
        return {VENDAXO_CLI,   "--store", storeFile().string(), "catalogue",
                list.string(), "--into",  page.string()};
    }
};

// The catalogue command: the whole list into one page, the page as new each run.
void catalogueCommand(benchmark::State& state) {
    const CatalogueFiles files;
    double total = 0;
    for (auto _ : state) {
        try {
            test::writeFile(files.page, std::string(kCataloguePage));
            const double seconds = runProgram(files.command()).seconds;
            state.SetIterationTime(seconds);
            total += seconds;
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
    state.counters["products"] = static_cast<double>(catalogueProducts());
    state.counters["per_product_us"] =
        total * 1e6 /
        static_cast<double>(catalogueProducts() * std::max<long>(1, state.iterations()));
}

// Copying the page the command writes, once, by a process: the least that
// starting a program and writing that many bytes costs.
void copyCatalogueOutput(benchmark::State& state) {
    const CatalogueFiles files;
    std::vector<std::string> copy;
    try {
        test::writeFile(files.page, std::string(kCataloguePage));
        runProgram(files.command());
        copy = {"/bin/cp", files.page.string(), (files.dir.path() / "copy.html").string()};
        state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(files.page));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    for (auto _ : state) {
        try {
            state.SetIterationTime(runProgram(copy).seconds);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
}

} // namespace

} // namespace vendaxo::bench

int main(int argc, char** argv) {
    using namespace vendaxo::bench;
    if (argc == 4 && std::string_view(argv[1]) == "--write-site") {
        // A site to look at or profile: FOLDER/registry.sqlite3 and FOLDER/site.
        const std::filesystem::path folder = argv[2];
        std::filesystem::create_directories(folder);
        vendaxo::SqliteStore store(folder / "registry.sqlite3");
        writeSite(store, folder / "site", static_cast<std::size_t>(std::atol(argv[3])));
        return 0;
    }
    // The same platform for the program and its baseline; a display adds noise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::vector<Target> targets;
    const auto store = [] {
        return storeFile().string();
    };

    registerProgram("BM_CliViewCart", [store] {
        return std::vector<std::string>{VENDAXO_CLI, "--store", store(), "view-cart"};
    });
    registerProgram("BM_True", [] { return std::vector<std::string>{"/bin/true"}; });
    targets.push_back({"BM_CliViewCart", "BM_True", 0, 15e-3, {}});
#ifdef VENDAXO_GUI
    registerProgram("BM_StartVendaxo", [store] {
        return std::vector<std::string>{VENDAXO_GUI, "--store", store(), "--quit-after-show"};
    });
    registerProgram("BM_StartBareWindow",
                    [] { return std::vector<std::string>{VENDAXO_BARE_WINDOW}; });
    registerProgram("BM_StartBareTextWindow", [] {
        return std::vector<std::string>{VENDAXO_BARE_WINDOW, "--text"};
    });
    registerProgram("BM_EveryDialog", [store] {
        return std::vector<std::string>{VENDAXO_DIALOG_BENCH, "--every-dialog", store()};
    });
    targets.push_back({"BM_StartVendaxo", "BM_StartBareWindow", 1.3, 0, {}});
    targets.push_back({"BM_StartVendaxo", "BM_StartBareWindow", 0, 0, "peak_rss_kB"});
    // Not a target: the share of the start that any window with text pays.
    targets.push_back({"BM_StartVendaxo", "BM_StartBareTextWindow", 0, 0, {}});
    targets.push_back({"BM_StartVendaxo", "BM_StartBareTextWindow", 0, 0, "peak_rss_kB"});
    targets.push_back({"BM_EveryDialog", "BM_StartBareTextWindow", 0, 0, "peak_rss_kB"});
    targets.push_back({"BM_EveryDialog", "BM_StartBareWindow", 1.3, 0, "peak_rss_kB"});
#endif
    for (const std::size_t pages : {1000, 5000}) {
        const std::string size = "/" + std::to_string(pages);
        registerProgram("BM_SiteCheck" + size, [store, pages] {
            return std::vector<std::string>{VENDAXO_CLI, "--store", store(),
                                            "site",      "check",   generatedSite(pages).string()};
        });
        registerProgram("BM_CatSite" + size, [pages] { return catSite(pages); });
        // One second is the mark for a site of 1,000 pages.
        targets.push_back(
            {"BM_SiteCheck" + size, "BM_CatSite" + size, 3, pages == 1000 ? 1.0 : 0, {}});
    }
    // Pages are read one at a time: five times the pages, the same memory.
    targets.push_back({"BM_SiteCheck/5000", "BM_SiteCheck/1000", 1.2, 0, "peak_rss_kB"});
    targets.push_back({"BM_SiteCheck/1000", "BM_CatSite/1000", 0, 0, "peak_rss_kB"});
    benchmark::RegisterBenchmark("BM_CatalogueScript", catalogueScript)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(1)
        ->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("BM_CatalogueCommand", catalogueCommand)
        ->UseManualTime()
        ->MinTime(1.0)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_CopyCatalogueOutput", copyCatalogueOutput)
        ->UseManualTime()
        ->MinTime(1.0)
        ->Unit(benchmark::kMillisecond);
    targets.push_back({"BM_CatalogueCommand", "BM_CopyCatalogueOutput", 0, 1.0, {}});
    // Not a target: how much faster one command is than a process per product.
    targets.push_back({"BM_CatalogueScript", "BM_CatalogueCommand", 0, 0, {}});
    return runWithTargets(argc, argv, std::move(targets));
}
