#include "base/error.h"
#include "base/text.h"
#include "snippets/option_lists.h"

#include <gtest/gtest.h>

namespace vendaxo::test {

namespace {

OptionGrid gridOf(std::string_view data) {
    OptionGrid grid;
    grid.rebuild(data);
    return grid;
}

} // namespace

TEST(OptionGrid, RebuildAndDataRoundTrip) {
    const std::string data = "Color;Red;Blue (add $1);\nSize;S;M;L;XL;\n";
    const OptionGrid grid = gridOf(data);
    EXPECT_EQ(grid.columnCount(), 2u);
    EXPECT_EQ(grid.rowCount(), 5u) << "the longest list with its title";
    EXPECT_TRUE(grid.hasTitleRow());
    EXPECT_EQ(grid.title(1), "Size");
    EXPECT_EQ(grid.cell(0, 2), "Blue (add $1)");
    EXPECT_EQ(grid.cell(0, 4), "");
    EXPECT_EQ(grid.data(), data);
}

TEST(OptionGrid, RebuildWalksOddTextsAsStored) {
    OptionGrid grid = gridOf("A;x;\n");
    grid.rebuild("");
    EXPECT_EQ(grid.data(), "A;x;\n") << "an empty text changes nothing";

    // Text after a column's last ";" flows into the next column's first cell.
    EXPECT_EQ(gridOf("A;tail\nB;b;\n").cell(1, 0), "tailB");
    // Empty cells close up.
    EXPECT_EQ(gridOf("A;;b;\n").data(), "A;b;\n");
    // A lone line feed is an empty grid of one column.
    const OptionGrid empty = gridOf("\n");
    EXPECT_EQ(empty.columnCount(), 1u);
    EXPECT_EQ(empty.rowCount(), 2u);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.data(), "\n");
    // Without its last line feed the last list's column is not part of the grid.
    EXPECT_EQ(gridOf("A;a;\nB;b;").data(), "A;a;\n");
    // A single list without a line feed stays.
    EXPECT_EQ(gridOf("A;a;").data(), "A;a;\n");
    // An extra line feed gives an empty column.
    EXPECT_EQ(gridOf("A;\n\n").columnCount(), 2u);
}

TEST(OptionGrid, ListCommands) {
    OptionGrid grid;
    grid.addList("Color");
    EXPECT_EQ(grid.columnCount(), 1u) << "the first list replaces the empty column";
    EXPECT_EQ(grid.data(), "Color;\n");
    grid.addList("Size");
    grid.addItem(0, "Red");
    grid.addItem(0, "Blue");
    grid.addItem(1, "S");
    EXPECT_EQ(grid.data(), "Color;Red;Blue;\nSize;S;\n");
    EXPECT_EQ(grid.rowCount(), 3u) << "adding to a full column adds a row";

    grid.removeItem(0, 1);
    EXPECT_EQ(grid.data(), "Color;Blue;\nSize;S;\n") << "items below move up";
    grid.renameList(1, "Sizes");
    grid.moveList(1, 0);
    EXPECT_EQ(grid.data(), "Sizes;S;\nColor;Blue;\n");

    grid.removeList(0);
    grid.removeItem(0, 1);
    grid.setCell(0, 0, "");
    grid.removeList(0);
    EXPECT_EQ(grid.columnCount(), 1u);
    EXPECT_EQ(grid.rowCount(), 1u);
    EXPECT_FALSE(grid.hasTitleRow()) << "no lists: one empty cell without a title row";
    EXPECT_EQ(grid.data(), "\n");
}

TEST(OptionGrid, TitlesThatWouldSplitTheListsAndTooManyListsAreRefused) {
    OptionGrid grid = gridOf("A;a;\n");
    EXPECT_THROW(grid.addList("Size;Colour"), Error);
    EXPECT_THROW(grid.addList("Two\nlines"), Error);
    EXPECT_THROW(grid.renameList(0, "x;y"), Error);
    EXPECT_THROW(grid.renameList(0, ""), Error) << "the first item would become the title";
    EXPECT_THROW(grid.addList(""), Error);
    EXPECT_EQ(grid.data(), "A;a;\n");

    std::string many;
    for (int i = 0; i < 1001; ++i)
        many += "L" + std::to_string(i) + ";\n";
    EXPECT_THROW(grid.rebuild(many), Error);
    EXPECT_EQ(grid.data(), "A;a;\n") << "a refused text leaves the grid as it was";
    many.resize(many.rfind("L1000"));
    grid.rebuild(many);
    EXPECT_EQ(grid.columnCount(), 1000u);
    EXPECT_THROW(grid.addList("One too many"), Error);
}

TEST(OptionItem, ParsesAndWritesAdjustments) {
    const OptionItem large = OptionItem::parse("Large (add $2.50)", "$");
    EXPECT_EQ(large.label, "Large");
    EXPECT_EQ(large.kind, PriceAdjustment::Add);
    EXPECT_EQ(large.amount, "2.50");
    EXPECT_EQ(large.signedAmount(), "+2.50");
    EXPECT_EQ(large.text("$"), "Large (add $2.50)");

    const OptionItem small = OptionItem::parse("Small (subtract EUR1)", "eur");
    EXPECT_EQ(small.kind, PriceAdjustment::Subtract);
    EXPECT_EQ(small.amount, "1") << "the currency is removed in any case";
    EXPECT_EQ(small.signedAmount(), "-1");

    const OptionItem plain = OptionItem::parse("Medium", "$");
    EXPECT_EQ(plain.kind, PriceAdjustment::SamePrice);
    EXPECT_EQ(plain.amount, "0");
    EXPECT_EQ(plain.signedAmount(), "+0");
    EXPECT_EQ(plain.text("$"), "Medium");

    const OptionItem bracketed = OptionItem::parse("XL (tall)", "$");
    EXPECT_EQ(bracketed.label, "XL");
    EXPECT_EQ(bracketed.kind, PriceAdjustment::SamePrice);

    EXPECT_EQ((OptionItem{"Gift wrap", PriceAdjustment::Subtract, "0.5"}).text("£"),
              "Gift wrap (subtract £0.5)");
}

TEST(OptionItem, ALabelRidOfItsForbiddenCharactersSurvivesTheStoredLists) {
    const std::string typed = "Kite \"Red; (Large)\"";
    const OptionItem item{withoutAny(typed, OptionItem::kForbiddenInLabel), PriceAdjustment::Add,
                          "2.50"};
    EXPECT_EQ(item.label, "Kite Red Large");
    OptionGrid grid;
    grid.addList("Colour");
    grid.addItem(0, item.text("$"));
    const OptionItem reread = OptionItem::parse(gridOf(grid.data()).cell(0, 1), "$");
    EXPECT_EQ(reread.label, item.label);
    EXPECT_EQ(reread.amount, "2.50");
}

// The amount is read after removing the currency symbols from the whole text;
// reading only the tail must not change what that finds.
TEST(OptionItem, CurrencyBeforeTheMarkerIsRemovedFirst) {
    const OptionItem joined = OptionItem::parse("Extra (ad$d 3)", "$");
    EXPECT_EQ(joined.kind, PriceAdjustment::Add) << "removing \"$\" makes \"add \"";
    EXPECT_EQ(joined.amount, "3");

    const OptionItem eaten = OptionItem::parse("Large (add a2.50)", "A");
    EXPECT_EQ(eaten.kind, PriceAdjustment::SamePrice) << "the letter currency eats the marker";
    EXPECT_EQ(eaten.amount, "0");

    const OptionItem twice = OptionItem::parse("Pair (add $$1.50$)", "$");
    EXPECT_EQ(twice.amount, "1.50");
    const OptionItem euro = OptionItem::parse("Big (subtract \u20ac2)", "\u20ac");
    EXPECT_EQ(euro.kind, PriceAdjustment::Subtract);
    EXPECT_EQ(euro.amount, "2");
}

TEST(OptionBlock, DropDownAndRadioForms) {
    const OptionGrid grid = gridOf("Size;Small;Large (add $2.50);\nColour;Red;\n");
    EXPECT_EQ(optionBlock(grid, OptionStyle::DropDown, "$"),
              "<p><select size=\"1\" name=\"vdx_prodoptions0\">\n"
              "<option value=\"+0;Small;1\">Small</option>\n"
              "<option value=\"+2.50;Large;2\">Large (add $2.50)</option>\n"
              "</select></p>\n"
              "<p><select size=\"1\" name=\"vdx_prodoptions1\">\n"
              "<option value=\"+0;Red;1\">Red</option>\n"
              "</select></p>\n");
    EXPECT_EQ(optionBlock(grid, OptionStyle::Radio, "$"),
              "<p><input type=\"radio\" name=\"vdx_prodoptions0\" value=\"+0;Small;1\">Small"
              "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
              "<input type=\"radio\" name=\"vdx_prodoptions0\" value=\"+2.50;Large;2\">"
              "Large (add $2.50)&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</p>"
              "<p><input type=\"radio\" name=\"vdx_prodoptions1\" value=\"+0;Red;1\">Red"
              "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</p>");
    EXPECT_EQ(optionBlock(grid, OptionStyle::None, "$"), "");
    EXPECT_EQ(optionBlock(OptionGrid(), OptionStyle::DropDown, "$"), "")
        << "an empty grid holds no list";
}

// What the catalogue shows of a product's lists is what its button holds.
TEST(OptionBlock, ShownListsCountTheListsOfTheBlock) {
    const auto paragraphs = [](const std::string& block) {
        std::size_t count = 0;
        for (auto at = block.find("<p>"); at != std::string::npos; at = block.find("<p>", at + 1))
            ++count;
        return count;
    };
    for (const std::string_view data : {"Size;S;M;\nColour;Red;\n", "A;a;\n\nC;c;\n", "\n"}) {
        for (const OptionStyle style :
             {OptionStyle::DropDown, OptionStyle::Radio, OptionStyle::None}) {
            const ProductOptions lists{true, style, gridOf(data)};
            EXPECT_EQ(lists.shownLists(), paragraphs(optionBlock(lists.grid, style, "$")))
                << data << static_cast<int>(style);
            EXPECT_EQ((ProductOptions{false, style, lists.grid}.shownLists()), 0u);
        }
    }
    EXPECT_EQ((ProductOptions{true, OptionStyle::Radio, gridOf("A;a;\n\nC;c;\n")}.shownLists()), 2u)
        << "an empty column is no list";
}

} // namespace vendaxo::test
