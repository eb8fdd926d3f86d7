#include "base/error.h"
#include "snippets/option_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vendaxo::test {

TEST(OptionFile, SaveAndLoadGiveBackTheSameLists) {
    TempDir dir;
    OptionGrid grid;
    grid.rebuild("Colour;Red;Bleu é (add $1);\nSize;S;M;\n");
    writeOptionFile(dir / "kite.vdx", grid);
    EXPECT_EQ(readFile(dir / "kite.vdx"), "Colour;Red;Bleu é (add $1);\nSize;S;M;\n\n");
    OptionGrid loaded;
    loaded.rebuild(readOptionFile(dir / "kite.vdx"));
    EXPECT_EQ(loaded, grid);
}

TEST(OptionFile, ReadsOlderFilesAsTheyWereWritten) {
    // Windows-1252, CR LF, blank lines around, the old item end marker.
    EXPECT_EQ(optionDataFromFile("\r\n  Colour;Rouge;Bleu \xE9;\r\nSize;<item*nd>;\r\n\r\n\r\n"),
              "Colour;Rouge;Bleu é;\nSize;<ITEMEND>;\n");
    EXPECT_EQ(optionDataFromFile(""), "\n");
    const std::string longLine = "Long;" + std::string(150000, 'x') + ";";
    EXPECT_EQ(optionDataFromFile(longLine + "\n"), longLine + "\n") << "lines are read whole";
    EXPECT_EQ(optionDataFromFile("A;a;\rB;b;"), "A;a;\nB;b;\n");
}

TEST(OptionFile, UnreadableAndUnwritableFilesAreReported) {
    TempDir dir;
    EXPECT_THROW(readOptionFile(dir / "missing.vdx"), Error);
    EXPECT_THROW(writeOptionFile(dir / "no/such/folder.vdx", OptionGrid()), Error);
}

} // namespace vendaxo::test
