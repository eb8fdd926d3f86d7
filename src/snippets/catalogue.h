#pragma once

#include "snippets/product.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

struct MerchantProfile;

// A product list: a CSV file as spreadsheets export it, whose header names
// the purchase command's options (sku, price, description, weight, ...), one
// product a row. Where the purchase dialog would quietly turn a typed value
// into another one, the list is refused instead: nobody watches a batch.

// One product of the list and the line its row starts on.
struct CatalogueRow {
    std::size_t line = 0;
    Product product;
};

// What is wrong in a list and where; column 0 when it is no one cell.
struct CatalogueError {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string columnName; // as the header spells it; empty when it has none
    std::string message;

    // "kites.csv, line 4, column 2 (price): ..."
    std::string text(std::string_view fileName) const;
    bool operator==(const CatalogueError&) const = default;
};

struct Catalogue {
    std::vector<CatalogueRow> rows;     // the rows without an error, in order
    std::vector<CatalogueError> errors; // every error of the list, by line
};

// Called as rows are checked: how many of how many.
using CatalogueProgress = std::function<void(std::size_t done, std::size_t total)>;

// The list's bytes: UTF-8 with or without a byte order mark, else
// Windows-1252. Option files are found relative to `folder`.
Catalogue readCatalogue(std::string_view bytes, const std::filesystem::path& folder,
                        const CatalogueProgress& progress = {});
// The same for a file, its option files beside it; throws Error when the file
// cannot be read.
Catalogue readCatalogueFile(const std::filesystem::path& file,
                            const CatalogueProgress& progress = {});

// The purchase buttons of the rows, one after another in row order.
std::string buildCatalogueSnippets(const std::vector<CatalogueRow>& rows,
                                   const MerchantProfile& profile, std::string_view storedColours);

} // namespace vendaxo
