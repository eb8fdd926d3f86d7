#include "base/csv.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Each record as its fields' texts.
std::vector<std::vector<std::string>> texts(const CsvTable& table) {
    std::vector<std::vector<std::string>> records;
    for (const CsvRecord& record : table.records) {
        std::vector<std::string>& fields = records.emplace_back();
        for (const CsvField& field : record.fields)
            fields.push_back(field.text);
    }
    return records;
}

using Fields = std::vector<std::string>;

} // namespace

TEST(Csv, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const CsvTable table = readCsv("sku,description,price\r\n"
                                   "K1,\"Delta, red\",12.50\r\n"
                                   "K2,\"The \"\"Harbour\"\"\nkite\r\nin two lines\",9\r\n"
                                   "K3,,\"\"\r\n",
                                   ',');
    EXPECT_THAT(table.problems, IsEmpty());
    EXPECT_THAT(texts(table),
                ElementsAre(Fields{"sku", "description", "price"},
                            Fields{"K1", "Delta, red", "12.50"},
                            Fields{"K2", "The \"Harbour\"\nkite\r\nin two lines", "9"},
                            Fields{"K3", "", ""}));
    // A field's line is where it starts; the quoted line breaks count.
    EXPECT_EQ(table.records[2].fields[1].line, 3u);
    EXPECT_EQ(table.records[2].fields[2].line, 5u);
    EXPECT_EQ(table.records[3].line(), 6u);
}

TEST(Csv, RecordsEndInAnyLineEndAndTheLastNeedsNone) {
    EXPECT_THAT(texts(readCsv("a;b\rc;d\ne;f\r\ng;", ';')),
                ElementsAre(Fields{"a", "b"}, Fields{"c", "d"}, Fields{"e", "f"}, Fields{"g", ""}));
    EXPECT_THAT(texts(readCsv("a\n\nb\n", ',')), ElementsAre(Fields{"a"}, Fields{""}, Fields{"b"}));
    EXPECT_TRUE(readCsv("a\n\nb\n", ',').records[1].isBlank());
    EXPECT_FALSE(readCsv(",x", ',').records[0].isBlank());
    EXPECT_THAT(readCsv("", ',').records, IsEmpty());
    // The other separator is an ordinary character.
    EXPECT_THAT(texts(readCsv("12,50;x", ';')), ElementsAre(Fields{"12,50", "x"}));
}

TEST(Csv, ProblemsAreFoundWithTheirPlaceAndReadingGoesOn) {
    const CsvTable table = readCsv("a,b\n"
                                   "12\" kite,x\n"
                                   "\"quoted\" and more,y\n"
                                   "z,\"never closed\nstill open",
                                   ',');
    EXPECT_THAT(table.problems,
                ElementsAre(CsvProblem{2, 1,
                                       "a quotation mark inside a field that does not start with "
                                       "one; put the field in quotation marks and double the mark"},
                            CsvProblem{3, 1, "text after the quotation mark that closes the field"},
                            CsvProblem{4, 2,
                                       "the quotation mark that opens this field is never "
                                       "closed"}));
    EXPECT_THAT(texts(table), ElementsAre(Fields{"a", "b"}, Fields{"12\" kite", "x"},
                                          Fields{"quoted and more", "y"},
                                          Fields{"z", "never closed\nstill open"}));
}

TEST(Csv, TheHeaderTellsTheSeparator) {
    EXPECT_EQ(csvSeparator("sku,price;x\n"), ',');
    EXPECT_EQ(csvSeparator("sku;price,x\n"), ';');
    EXPECT_EQ(csvSeparator("\"a,b\";c\n"), ';') << "not inside quotation marks";
    EXPECT_EQ(csvSeparator("sku\nK1;2\n"), ',') << "only the first record counts";
    EXPECT_EQ(csvSeparator(""), ',');
}

} // namespace vendaxo::test
