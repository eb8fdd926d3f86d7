#include "base/error.h"
#include "settings/gui/jpeg_picture.h"
#include "test_support.h"

#include <QColor>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::StartsWith;

TEST(JpegPicture, ShippedPicturesShowInTheirOwnColours) {
    for (const char* name : {"options.jpg", "shipping.jpg"}) {
        const QImage picture =
            readJpegPicture(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
        EXPECT_EQ(picture.size(), QSize(120, 432)) << name;
        // The pale green-grey of the sky at the top: red and blue not swapped.
        const QColor sky = picture.pixelColor(2, 2);
        EXPECT_NEAR(sky.red(), 0xe6, 4) << name;
        EXPECT_NEAR(sky.green(), 0xf0, 4) << name;
        EXPECT_NEAR(sky.blue(), 0xec, 4) << name;
        // The bottom row too: every line of the picture was carried over.
        EXPECT_EQ(picture.pixelColor(119, 431).alpha(), 255) << name;
    }
}

TEST(JpegPicture, MissingOrDamagedFilesAreNamed) {
    try {
        readJpegPicture(QStringLiteral(":/pictures/none.jpg"));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The picture :/pictures/none.jpg cannot be opened.");
    }
    TempDir dir;
    const std::filesystem::path file = dir / "broken.jpg";
    writeFile(file, "not a picture");
    try {
        readJpegPicture(QString::fromStdString(file.string()));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(),
                    StartsWith(file.string() + ": The picture is damaged or not a JPEG file"));
    }
}

} // namespace vendaxo::test
