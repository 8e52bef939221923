// The tile bitmaps compiled into the program and their loader: every name the
// tile sets use has exactly one bitmap of the stored format, no two pictures
// look alike, and the loader ignores case, keeps what it decoded and reports
// a missing bitmap with the message the map maker sees.
#include "ui/TileBitmaps.h"

#include "core/UserError.h"
#include "core/tiles/TileTables.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gmock/gmock.h>

#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAreArray;
using ::testing::SizeIs;

constexpr int kTileSize = 40;
const QString kFolder = QStringLiteral(":/tiles");

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Every other letter flipped: "Wall_North" becomes "wAlL_NoRtH".
std::string Alternating(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        text[i] = static_cast<char>(i % 2 == 0 ? std::tolower(c) : std::toupper(c));
    }
    return text;
}

std::vector<std::string> ResourceFiles() {
    std::vector<std::string> files;
    for (const QString& file : QDir(kFolder).entryList(QDir::Files, QDir::Name)) {
        files.push_back(file.toStdString());
    }
    return files;
}

std::uint32_t LittleEndian(const QByteArray& bytes, int offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

class TileBitmapsTest : public ::testing::Test {
protected:
    TileBitmaps bitmaps;
};

TEST_F(TileBitmapsTest, EveryBitmapNameOfTheTileSetsLoadsAs40By40InAnyCase) {
    for (const std::string_view name : AllBitmapNames()) {
        const std::string given(name);
        const qint64 key = bitmaps.Load(given).cacheKey();
        for (const std::string& spelling : {Upper(given), Lower(given), Alternating(given)}) {
            const QPixmap& picture = bitmaps.Load(spelling);
            EXPECT_EQ(picture.size(), QSize(kTileSize, kTileSize)) << spelling;
            EXPECT_EQ(picture.cacheKey(), key) << spelling;
        }
    }
}

TEST_F(TileBitmapsTest, EveryResourceFileIsA24BitUncompressedBitmapOf40By40) {
    for (const std::string& file : ResourceFiles()) {
        QFile resource(kFolder + '/' + QString::fromStdString(file));
        ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << file;
        const QByteArray bytes = resource.readAll();
        ASSERT_EQ(bytes.size(), 54 + kTileSize * kTileSize * 3) << file;
        EXPECT_EQ(bytes.left(2), QByteArray("BM")) << file;
        EXPECT_EQ(LittleEndian(bytes, 10, 4), 54u) << file << ": pixel data offset";
        EXPECT_EQ(LittleEndian(bytes, 18, 4), 40u) << file << ": width";
        EXPECT_EQ(LittleEndian(bytes, 22, 4), 40u) << file << ": height, rows bottom-up";
        EXPECT_EQ(LittleEndian(bytes, 28, 2), 24u) << file << ": bits per pixel";
        EXPECT_EQ(LittleEndian(bytes, 30, 4), 0u) << file << ": compression";
    }
}

TEST_F(TileBitmapsTest, TheResourceFilesAreExactlyTheBitmapsTheTileSetsName) {
    std::set<std::string> expected;
    for (const std::string_view name : AllBitmapNames()) {
        expected.insert(Upper(std::string(name)) + ".BMP");
    }
    EXPECT_THAT(expected, SizeIs(157));
    EXPECT_THAT(ResourceFiles(), ElementsAreArray(expected));
}

TEST_F(TileBitmapsTest, NoTwoPicturesAndNotTheNoTilePictureAreAlike) {
    std::vector<std::pair<std::string, QImage>> pictures;
    for (const std::string& file : ResourceFiles()) {
        pictures.emplace_back(file, QImage(kFolder + '/' + QString::fromStdString(file)));
    }
    pictures.emplace_back("the no-tile picture", bitmaps.NoTile().toImage());
    for (std::size_t a = 0; a < pictures.size(); ++a) {
        const QImage first = pictures[a].second.convertToFormat(QImage::Format_RGB32);
        for (std::size_t b = a + 1; b < pictures.size(); ++b) {
            EXPECT_NE(first, pictures[b].second.convertToFormat(QImage::Format_RGB32))
                << pictures[a].first << " and " << pictures[b].first;
        }
    }
}

TEST_F(TileBitmapsTest, TheNoTilePictureIsTileSized) {
    EXPECT_EQ(bitmaps.NoTile().size(), QSize(kTileSize, kTileSize));
}

TEST_F(TileBitmapsTest, ANameWithoutABitmapThrowsTheMessageWithTheNameAsGiven) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Wall_Up", "Resource Wall_Up not found"},
        {"", "Resource  not found"},
        {"Wall_North.BMP", "Resource Wall_North.BMP not found"},
        {"tiles/WALL", "Resource tiles/WALL not found"},
        {" Wall", "Resource  Wall not found"},
    };
    for (const auto& [name, message] : cases) {
        try {
            bitmaps.Load(name);
            ADD_FAILURE() << "no error for \"" << name << "\"";
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
}

TEST_F(TileBitmapsTest, LoadingAgainGivesTheKeptPictureWithoutDecodingAgain) {
    const QPixmap& first = bitmaps.Load("Highway_Corner_NE");
    const QPixmap& again = bitmaps.Load("HIGHWAY_CORNER_ne");
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(first.cacheKey(), again.cacheKey());
    EXPECT_NE(bitmaps.Load("Highway_Corner_NW").cacheKey(), first.cacheKey());
}

TEST_F(TileBitmapsTest, AFailedLoadDoesNotDisturbThePicturesAlreadyKept) {
    const qint64 key = bitmaps.Load("Unknown").cacheKey();
    EXPECT_THROW(bitmaps.Load("Unknow"), UserError);
    EXPECT_EQ(bitmaps.Load("unknown").cacheKey(), key);
}

}  // namespace
}  // namespace velmora
