#include "snippets/catalogue.h"
#include "snippets/option_file.h"
#include "snippets/purchase_values.h"
#include "test_support.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr std::string_view kHeader = "sku,price,description\n";

// Every error of a list, one a line, as the command line prints them.
std::string errorsOf(const Catalogue& catalogue) {
    std::string text;
    for (const CatalogueError& error : catalogue.errors)
        text += error.text("list.csv") + "\n";
    return text;
}

std::string errorsOf(std::string_view list, const std::filesystem::path& folder = {}) {
    return errorsOf(readCatalogue(list, folder));
}

std::vector<std::string> errorLines(const Catalogue& catalogue) {
    std::vector<std::string> lines;
    for (const CatalogueError& error : catalogue.errors)
        lines.push_back(error.text("list.csv"));
    return lines;
}

std::vector<std::string> skus(const Catalogue& catalogue) {
    std::vector<std::string> result;
    for (const CatalogueRow& row : catalogue.rows)
        result.push_back(row.product.sku);
    return result;
}

} // namespace

TEST(Catalogue, EachColumnIsTakenAsThePurchaseCommandTakesItsOption) {
    TempDir dir;
    writeFile(dir / "kite.vdx", "Colour;Red;Blue (add $1);\r\n");
    const Catalogue catalogue = readCatalogue(
        "sku,price,description,weight,caption,free-shipping,non-taxable,no-jump,no-fractional,"
        "no-minimums,quantity-box,quantity-lock,discounts,options,option-data,option-style\n"
        "K1,$12.50,Delta kite,2.5,Buy now,yes,TRUE,1,no,Yes,,3,10=9.5;20=$9;,kite.vdx,,Radio\n"
        "K2,7,Box kite,,,,,,true,,1,,,,\"Size;S;M;\r\nTail;Long;\",\n",
        dir.path());
    ASSERT_EQ(errorsOf(catalogue), "");

    PurchaseValues first;
    first.sku = "K1";
    first.price = "$12.50";
    first.description = "Delta kite";
    first.weight = "2.5";
    first.caption = "Buy now";
    first.freeShipping = true;
    first.nonTaxable = true;
    first.noJump = true;
    first.noFractional = false;
    first.noMinimums = true;
    first.quantityLock = "3";
    first.discounts = {"10=9.5", "20=$9"};
    first.optionData = readOptionFile(dir / "kite.vdx");
    first.optionStyle = "radio";
    PurchaseValues second;
    second.sku = "K2";
    second.price = "7";
    second.description = "Box kite";
    second.noFractional = true;
    second.quantityBox = true;
    second.optionData = "Size;S;M;\nTail;Long;";
    ASSERT_EQ(catalogue.rows.size(), 2u);
    EXPECT_EQ(catalogue.rows[0].line, 2u);
    EXPECT_EQ(catalogue.rows[0].product, first.toProduct());
    EXPECT_EQ(catalogue.rows[1].line, 3u);
    EXPECT_EQ(catalogue.rows[1].product, second.toProduct());
    EXPECT_EQ(catalogue.rows[1].product.options.columnCount(), 2u)
        << "the cell's CR LF ends the first list";
    EXPECT_EQ(catalogue.rows[1].product.weight, "0") << "an empty cell takes the default";
    EXPECT_EQ(catalogue.rows[1].product.caption, "Add To Shopping Cart");
}

TEST(Catalogue, ReadsSpreadsheetExports) {
    // Excel's "CSV UTF-8" where the decimal mark is a comma: a byte order mark,
    // ";" between cells, CR LF, Alt+Enter in a cell, the header as typed, an
    // empty column and a row only formatted.
    const Catalogue excel = readCatalogue("\xEF\xBB\xBFSKU; Price ;Description;;Free-Shipping\r\n"
                                          "K1;12.50;\"Delta kite\nwith tail\";;WAHR\r\n"
                                          "K2;$8;Box kite, blue;;\r\n"
                                          ";;;;\r\n",
                                          {});
    EXPECT_EQ(errorsOf(excel), "list.csv, line 3, column 5 (Free-Shipping): \"WAHR\" is not yes or "
                               "no (nor true, false, 1, 0)\n")
        << "the line the cell is on, after the description's line break";
    ASSERT_THAT(skus(excel), ElementsAre("K2"));
    EXPECT_EQ(excel.rows[0].product.description, "Box kite, blue");

    const Catalogue oneLine = readCatalogue("sku,price,description\r\n"
                                            "K1,12.50,\"Delta kite\r\nwith tail\"\r\n",
                                            {});
    ASSERT_THAT(skus(oneLine), ElementsAre("K1"));
    EXPECT_EQ(oneLine.rows[0].product.description, "Delta kite with tail")
        << "a line break becomes a blank, as in the purchase dialog";

    // Windows-1252 from an older spreadsheet.
    const Catalogue ansi =
        readCatalogue("sku;price;description\nD1;9.95;Drachen gr\xFCn 5\x80\n", {});
    ASSERT_THAT(skus(ansi), ElementsAre("D1"));
    EXPECT_EQ(ansi.rows[0].product.description, "Drachen grün 5€");

    // Decimal commas are refused, never read as another amount.
    EXPECT_EQ(errorsOf("sku;price;description;weight\nK1;12,50;Kite;1,5\n"),
              "list.csv, line 2, column 2 (price): \"12,50\" is not a plain amount: digits with "
              "one \".\" at most (as 12.50), no thousands separator, no sign\n"
              "list.csv, line 2, column 4 (weight): \"1,5\" is not a plain number: digits with "
              "one \".\" at most (as 1.5), no unit, no sign\n");
}

TEST(Catalogue, EveryRefusedCellIsNamedByLineAndColumn) {
    const std::pair<std::string, std::string> cases[] = {
        {"K1,,Kite", "line 2, column 2 (price): empty; every product has a SKU, a price and a "
                     "description"},
        {"K1,abc,Kite", "line 2, column 2 (price): \"abc\" is not a plain amount"},
        {"K1,\"$1,000\",Kite", "line 2, column 2 (price): \"$1,000\" is not a plain amount"},
        {"K1,-5,Kite", "line 2, column 2 (price): \"-5\" is not a plain amount"},
        {"K1,1e3,Kite", "line 2, column 2 (price): \"1e3\" is not a plain amount"},
        {"K1, 12,Kite", "line 2, column 2 (price): \" 12\" is not a plain amount"},
        {"K1,$$2,Kite", "line 2, column 2 (price): \"$$2\" is not a plain amount"},
        {"K1,1.2.3,Kite", "line 2, column 2 (price): \"1.2.3\" is not a plain amount"},
        {"K1,19.999999999999999,Kite",
         "line 2, column 2 (price): \"19.999999999999999\" has more digits than a price keeps; "
         "the button would say 20"},
        {"K1,0.00001,Kite", "line 2, column 2 (price): \"0.00001\" has more digits than a price "
                            "keeps; the button would say 1e-05"},
        {"K1,2,\"Kite \"\"Harbour\"\"\"", "line 2, column 3 (description): a description cannot "
                                          "hold a quotation mark (\")"},
        {"\"K\n1\",2,Kite", "line 2, column 1 (sku): a line break in a one-line value"},
    };
    for (const auto& [row, expected] : cases) {
        const std::string errors = errorsOf(std::string(kHeader) + row + "\n");
        EXPECT_THAT(errors, ::testing::StartsWith("list.csv, " + expected)) << row;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << row;
    }

    // Columns after the required ones: their names, the cells, what is said.
    const std::tuple<std::string, std::string, std::string> optional[] = {
        {"weight", "$2", "column 4 (weight): \"$2\" is not a plain number"},
        {"weight", "2 kg", "column 4 (weight): \"2 kg\" is not a plain number"},
        {"free-shipping", "maybe", "column 4 (free-shipping): \"maybe\" is not yes or no"},
        {"quantity-lock", "0", "column 4 (quantity-lock): \"0\" is not a whole number from 1 on"},
        {"quantity-lock", "2.5", "column 4 (quantity-lock): \"2.5\" is not a whole number"},
        {"quantity-lock,quantity-box", "2,yes",
         "column 4 (quantity-lock): a locked quantity goes with neither quantity-box nor "
         "no-fractional"},
        {"no-fractional,quantity-lock", "1,2",
         "column 5 (quantity-lock): a locked quantity goes with neither"},
        {"discounts", "10",
         "column 4 (discounts): \"10\" has no price: write QUANTITY=PRICE, "
         "as 10=9.5"},
        {"discounts", "10.5=9",
         "column 4 (discounts): the quantity of \"10.5=9\" is not a whole "
         "number from 1 on"},
        {"discounts", "0=9", "column 4 (discounts): the quantity of \"0=9\" is not a whole"},
        {"discounts", "10=",
         "column 4 (discounts): the price of \"10=\": \"\" is not a plain "
         "amount"},
        {"discounts", "\"10=9,5\"",
         "column 4 (discounts): the price of \"10=9,5\": \"9,5\" is "
         "not a plain amount"},
        {"discounts", "10=1;010=2",
         "column 4 (discounts): \"010=2\": You cannot add a quantity that already exists"},
        {"option-style", "list", "column 4 (option-style): \"list\" is not drop-down or radio"},
        {"caption", "\"Add\nnow\"", "column 4 (caption): a line break in a one-line value"},
    };
    for (const auto& [columns, cells, expected] : optional) {
        const std::string errors =
            errorsOf("sku,price,description," + columns + "\nK1,2,Kite," + cells + "\n");
        EXPECT_THAT(errors, ::testing::StartsWith("list.csv, line 2, " + expected)) << cells;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << cells;
    }
}

TEST(Catalogue, TheHeaderAndTheFormatAreCheckedToo) {
    EXPECT_THAT(errorsOf("sku,price,description,colour,Price,\nK1,2,Kite,red,3,\n"),
                ::testing::StartsWith(
                    "list.csv, line 1, column 4 (colour): no such column; the columns are sku, "
                    "price, description, weight, caption, free-shipping, non-taxable, no-jump, "
                    "no-fractional, no-minimums, quantity-box, quantity-lock, discounts, options, "
                    "option-data, option-style\n"
                    "list.csv, line 1, column 5 (Price): the same column as column 2\n"));
    EXPECT_EQ(errorsOf("sku,description\nK1,Kite\n"),
              "list.csv, line 1: no price column; every list has sku, price and description\n");
    EXPECT_EQ(errorsOf("sku,price,description,\nK1,2,Kite,x,y\n"),
              "list.csv, line 2, column 4: a value in a column without a name\n"
              "list.csv, line 2, column 5: a value in a column without a name\n");
    EXPECT_EQ(errorsOf("sku,price,description\nK1,2,Kite \"Harbour\"\n"),
              "list.csv, line 2, column 3 (description): a quotation mark inside a field that "
              "does not start with one; put the field in quotation marks and double the mark\n"
              "list.csv, line 2, column 3 (description): a description cannot hold a quotation "
              "mark (\"): the cart shows it as it is\n");
    const Catalogue stray = readCatalogue("sku,price,description\nK\"1,2,Kite\nK2,3,Box\n", {});
    EXPECT_EQ(errorsOf(stray), "list.csv, line 2, column 1 (sku): a quotation mark inside a field "
                               "that does not start with one; put the field in quotation marks "
                               "and double the mark\n");
    EXPECT_THAT(skus(stray), ElementsAre("K2")) << "a row the format breaks is no product";
    EXPECT_EQ(errorsOf("sku,price,description\nK1,2,\"Kite\n"),
              "list.csv, line 2, column 3 (description): the quotation mark that opens this field "
              "is never closed\n");
    EXPECT_EQ(errorsOf("sku,price,description\n"), "list.csv, line 1: no products below the "
                                                   "header\n");
    EXPECT_THAT(errorsOf("\r\n,,\r\n"), ::testing::StartsWith("list.csv, line 1: the list is "
                                                              "empty; its first line names"));
    EXPECT_EQ(errorsOf(std::string_view("\xFF\xFEs\0k\0u\0", 8)),
              "list.csv, line 1: the file is UTF-16 text; save the "
              "list as CSV (UTF-8 or Windows-1252)\n");
}

TEST(Catalogue, EveryErrorOfTheListIsReportedInOrder) {
    TempDir dir;
    writeFile(dir / "kite.vdx", "Colour;Red;\n");
    const Catalogue catalogue = readCatalogue("sku,price,description,options,option-data\n"
                                              "K1,2,\"Delta\nkite\",kite.vdx,\n"
                                              "K2,x,Box,,\n"
                                              "K1,3,Sled,missing.vdx,\n"
                                              "K4,4,Dragon,kite.vdx,Size;S;\n"
                                              "K5,5,Parafoil,,\n",
                                              dir.path());
    const std::string missing = (dir / "missing.vdx").string();
    EXPECT_THAT(
        errorLines(catalogue),
        ElementsAre("list.csv, line 4, column 2 (price): \"x\" is not a plain amount: digits with "
                    "one \".\" at most (as 12.50), no thousands separator, no sign",
                    "list.csv, line 5, column 1 (sku): the SKU is already on line 2",
                    ::testing::StartsWith("list.csv, line 5, column 4 (options): Cannot read " +
                                          missing + ": "),
                    "list.csv, line 6, column 5 (option-data): a product takes its options from "
                    "an option file or from option-data, not both"));
    EXPECT_THAT(skus(catalogue), ElementsAre("K1", "K5")) << "the rows without an error";
    EXPECT_EQ(catalogue.rows[0].product.options.title(0), "Colour")
        << "the option file is found beside the list";
}

TEST(Catalogue, ProgressCountsTheRows) {
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    const Catalogue catalogue = readCatalogue(
        "sku,price,description\nA,1,a\nB,2,b\n\nC,3,c\n", {},
        [&](std::size_t done, std::size_t total) { calls.emplace_back(done, total); });
    EXPECT_THAT(skus(catalogue), ElementsAre("A", "B", "C"));
    EXPECT_THAT(calls, ElementsAre(std::pair<std::size_t, std::size_t>{1, 3},
                                   std::pair<std::size_t, std::size_t>{2, 3},
                                   std::pair<std::size_t, std::size_t>{3, 3}));
}

} // namespace vendaxo::test
