#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vendaxo {

// One page of a site, with the name it is reported under: the file or folder
// as the merchant gave it, and the path below it.
struct SitePage {
    std::filesystem::path file;
    std::string name; // UTF-8
};

// A page or folder that could not be read, and why.
struct SiteFailure {
    std::string name;
    std::string message; // naming the page or folder
};

struct SitePages {
    std::vector<SitePage> pages;
    std::vector<SiteFailure> failures;
};

// Whether the file's name ends in .htm or .html, in any case. A page's
// backup (PAGE.bak) is no page.
bool isPageFile(const std::filesystem::path& file);

// The pages of the files and folders given, in that order, each folder's
// entries in name order, subfolders walked as they come: folders whose name
// starts with "." (and on Windows hidden ones) are skipped, links are followed
// but a folder already walked is not walked again (so links that loop end),
// and a page reached twice is listed once. A file or folder that cannot be
// read is listed among the failures and the walk goes on. Only the names are
// kept, so the list is small beside the pages themselves.
SitePages listSitePages(const std::vector<std::filesystem::path>& roots);

// A path as UTF-8 text.
std::string pathName(const std::filesystem::path& path);

} // namespace vendaxo
