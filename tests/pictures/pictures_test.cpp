// The window only shows, hides and stacks the pictures in assets/ and never draws them again, so
// the look of the game rests on properties of the files themselves: their sizes and format, a
// background in exactly the blue of the sky, a sun that hides behind the ground patch, a complete
// figure whose arrow stays out of its narrow view, strips that cover whole shoes and hands, and
// figure stages that never wipe out what the earlier stages drew.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr QRgb kSky = qRgb(0, 0, 255);
constexpr QRgb kGround = qRgb(0, 128, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kBrown = qRgb(128, 64, 0);
constexpr QRgb kMagenta = qRgb(255, 0, 255);

QString assetPath(const std::string& file) {
    return QStringLiteral(DYX_ASSETS_DIR "/") + QString::fromStdString(file);
}

QImage loadPicture(const std::string& name) {
    QImage image(assetPath(name + ".bmp"));
    EXPECT_FALSE(image.isNull()) << "cannot read " << name << ".bmp";
    return image.convertToFormat(QImage::Format_RGB32);
}

QRgb rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000u;
}

enum Corner : unsigned {
    kTopLeft = 1u,
    kTopRight = 2u,
    kBottomLeft = 4u,
    kBottomRight = 8u,
    kAllCorners = 15u,
};

// Each bitmap with its place in the window, its size, and the corners that show the sky (the
// post and the beam fill their pictures; the brace runs from one corner to the opposite one).
struct Picture {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    unsigned skyCorners;
};

constexpr std::array kPictures = {
    Picture{"IMAGE0", 0, 0, 538, 400, kTopLeft | kTopRight},
    Picture{"Image1", 11, 288, 58, 13, kTopLeft | kTopRight},
    Picture{"Image2", 37, 100, 7, 190, 0},
    Picture{"Image3", 43, 100, 104, 9, 0},
    Picture{"Image4", 44, 109, 41, 41, kTopLeft | kBottomRight},
    Picture{"Image5", 126, 99, 11, 84, kAllCorners},
    Picture{"Image6", 120, 160, 22, 27, kAllCorners},
    Picture{"Image7", 119, 160, 23, 84, kAllCorners},
    Picture{"Image8", 114, 160, 28, 126, kAllCorners},
    Picture{"Image9", 131, 244, 16, 42, kAllCorners},
    Picture{"Image10", 107, 160, 35, 76, kAllCorners},
    Picture{"Image11", 119, 160, 77, 76, kAllCorners},
    Picture{"Image12", 254, 302, 68, 68, kAllCorners},
    Picture{"Image13", 247, 300, 75, 107, 0},
    Picture{"Image14", 254, 4, 68, 68, kAllCorners},
    Picture{"Image15", 120, 160, 33, 76, kAllCorners},
};

void PrintTo(const Picture& picture, std::ostream* out) {
    *out << picture.name;
}

const Picture& placement(const std::string& name) {
    for (const Picture& picture : kPictures) {
        if (name == picture.name) {
            return picture;
        }
    }
    throw std::invalid_argument("no picture " + name);
}

// The client area of the window.
constexpr int kWindowWidth = 338;
constexpr int kWindowHeight = 419;

// Draws a picture opaque at a place in the window, showing at most `width` of its columns.
void drawAt(QImage& scene, const QImage& picture, int left, int top,
            std::optional<int> width = std::nullopt) {
    const int columns = width.value_or(picture.width());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < columns; ++x) {
            if (QRect(0, 0, scene.width(), scene.height()).contains(left + x, top + y)) {
                scene.setPixel(left + x, top + y, rgb(picture, x, y));
            }
        }
    }
}

QImage background() {
    QImage scene(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    scene.fill(qRgb(192, 192, 192));  // the window's face colour below the picture
    drawAt(scene, loadPicture("IMAGE0"), 0, 0);
    return scene;
}

std::uint32_t little(const QByteArray& bytes, int offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
    }
    return value;
}

// --- Every bitmap: size, format and background ----------------------------------------------

class PictureFileTest : public ::testing::TestWithParam<Picture> {};

TEST_P(PictureFileTest, IsAnUncompressed8BitBitmapWith256Colours) {
    const Picture& picture = GetParam();
    QFile file(assetPath(std::string(picture.name) + ".bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    const std::uint32_t headerSize = little(bytes, 14, 4);
    EXPECT_EQ(static_cast<std::int32_t>(little(bytes, 18, 4)), picture.width);
    const auto height = static_cast<std::int32_t>(little(bytes, 22, 4));
    EXPECT_EQ(height < 0 ? -height : height, picture.height);
    EXPECT_EQ(little(bytes, 28, 2), 8u) << "bits per pixel";
    EXPECT_EQ(little(bytes, 30, 4), 0u) << "compression";
    EXPECT_EQ(little(bytes, 46, 4), 256u) << "colours in the table";
    EXPECT_EQ(little(bytes, 10, 4), 14 + headerSize + 256 * 4) << "pixels follow the table";

    const QImage image(assetPath(std::string(picture.name) + ".bmp"));
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorCount(), 256);
    EXPECT_EQ(image.size(), QSize(picture.width, picture.height));
}

TEST_P(PictureFileTest, BackgroundIsTheSkyOfTheBackgroundPicture) {
    const Picture& picture = GetParam();
    const QImage image = loadPicture(picture.name);
    const QRgb sky = rgb(loadPicture("IMAGE0"), 100, 100);
    ASSERT_EQ(sky, kSky);
    const std::array<std::pair<Corner, QPoint>, 4> corners = {{
        {kTopLeft, {0, 0}},
        {kTopRight, {picture.width - 1, 0}},
        {kBottomLeft, {0, picture.height - 1}},
        {kBottomRight, {picture.width - 1, picture.height - 1}},
    }};
    for (const auto& [corner, point] : corners) {
        if (picture.skyCorners & corner) {
            EXPECT_EQ(rgb(image, point.x(), point.y()), sky)
                << picture.name << " at " << point.x() << "," << point.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureFileTest, ::testing::ValuesIn(kPictures),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Background, SkyAboveTheHorizonGroundBelowAndTheLineAtTheLeftEdge) {
    const QImage image = loadPicture("IMAGE0");
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool ground = y >= 300 || (x == 0 && y >= 206);
            if (rgb(image, x, y) != (ground ? kGround : kSky)) {
                ADD_FAILURE_AT(__FILE__, __LINE__) << "pixel " << x << "," << y;
                if (++wrong == 5) {
                    return;
                }
            }
        }
    }
}

TEST(Background, GroundPatchIsSolidGround) {
    const QImage image = loadPicture("Image13");
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(rgb(image, x, y), kGround) << x << "," << y;
        }
    }
}

// --- The complete figure: the arrow and "TY" only beside it ---------------------------------

TEST(CompleteFigure, RedOfTheArrowLiesOnlyInColumns35To74) {
    const QImage image = loadPicture("Image11");
    int redInside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (rgb(image, x, y) == kRed) {
                EXPECT_TRUE(x >= 35 && x <= 74) << "red at " << x << "," << y;
                ++redInside;
            }
        }
    }
    EXPECT_GT(redInside, 40);
}

TEST(CompleteFigure, ShowsBothHandsBesideTheBody) {
    QImage scene = background();
    for (const char* name : {"Image10", "Image11"}) {
        const Picture& picture = placement(name);
        drawAt(scene, loadPicture(name), picture.left, picture.top, 35);
    }
    int left = 0;
    int right = 0;
    for (int y = 225; y < 240; ++y) {
        for (int x = 100; x < 160; ++x) {
            if (rgb(scene, x, y) == kMagenta) {
                (x < 119 ? left : right) += 1;
            }
        }
    }
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
}

// --- The sun rises from behind the ground patch ---------------------------------------------

struct SunCase {
    const char* name;
    int top;
    int firstRow;  // the window rows in which yellow shows; -1 when none does
    int lastRow;
};

void PrintTo(const SunCase& sun, std::ostream* out) {
    *out << "top " << sun.top;
}

class SunTest : public ::testing::TestWithParam<SunCase> {};

TEST_P(SunTest, ShowsOnlyAboveTheHorizon) {
    const SunCase& sun = GetParam();
    QImage scene = background();
    drawAt(scene, loadPicture("Image12"), 254, sun.top);
    drawAt(scene, loadPicture("Image13"), 247, 300);
    int first = -1;
    int last = -1;
    for (int y = 0; y < scene.height(); ++y) {
        for (int x = 0; x < scene.width(); ++x) {
            if (rgb(scene, x, y) == kYellow) {
                if (first < 0) {
                    first = y;
                }
                last = y;
            }
        }
    }
    EXPECT_EQ(first, sun.firstRow);
    EXPECT_EQ(last, sun.lastRow);
}

INSTANTIATE_TEST_SUITE_P(Pictures, SunTest,
                         ::testing::Values(SunCase{"AtStart", 302, -1, -1},
                                           SunCase{"AtRoundSetup", 301, -1, -1},
                                           SunCase{"AfterTheFirstMiss", 273, 273, 299},
                                           SunCase{"AfterTheSecondMiss", 246, 246, 299},
                                           SunCase{"AtTheTop", 3, 3, 70}),
                         [](const auto& row) { return std::string(row.param.name); });

// --- Strips cover the whole shoe or hand at the end of a limb -------------------------------

struct StripCase {
    const char* strip;
    QRect rect;           // the strip in window coordinates
    const char* picture;  // the picture whose extremity it covers
    QRgb colour;          // a colour of the extremity and of nothing else below the strip's top
};

void PrintTo(const StripCase& strip, std::ostream* out) {
    *out << strip.strip;
}

class StripTest : public ::testing::TestWithParam<StripCase> {};

// The extremity is everything drawn that hangs together with the pixels of its colour, from the
// strip's top row down. All of it must lie under the strip, and the limb must reach the strip.
TEST_P(StripTest, CoversTheWholeExtremityOfItsLimb) {
    const StripCase& strip = GetParam();
    const Picture& where = placement(strip.picture);
    const QImage picture = loadPicture(strip.picture);
    QImage scene = background();
    drawAt(scene, picture, where.left, where.top);
    const QRect area(where.left, where.top, where.width, where.height);
    const auto drawn = [&](int x, int y) {
        return area.contains(x, y) && y >= strip.rect.top() && rgb(scene, x, y) != kSky;
    };

    std::vector<QPoint> todo;
    std::set<std::pair<int, int>> extremity;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (drawn(x, y) && rgb(scene, x, y) == strip.colour) {
                todo.emplace_back(x, y);
                extremity.insert({x, y});
            }
        }
    }
    ASSERT_FALSE(extremity.empty()) << strip.picture << " has no extremity below the strip";
    while (!todo.empty()) {
        const QPoint point = todo.back();
        todo.pop_back();
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint next = point + step;
            if (drawn(next.x(), next.y()) && extremity.insert({next.x(), next.y()}).second) {
                todo.push_back(next);
            }
        }
    }
    for (const auto& [x, y] : extremity) {
        EXPECT_TRUE(strip.rect.contains(x, y)) << strip.strip << " leaves " << x << "," << y;
    }
    // The strip sits at the end of the limb: the limb shows in the row just above it.
    int limbAbove = 0;
    for (int x = strip.rect.left(); x <= strip.rect.right(); ++x) {
        limbAbove +=
            area.contains(x, strip.rect.top() - 1) && rgb(scene, x, strip.rect.top() - 1) != kSky;
    }
    EXPECT_GT(limbAbove, 2) << "the limb does not reach " << strip.strip;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, StripTest,
    ::testing::Values(StripCase{"Label4", {112, 280, 20, 16}, "Image8", kBrown},
                      StripCase{"Label5", {132, 280, 20, 16}, "Image9", kBrown},
                      StripCase{"Label6", {96, 230, 20, 16}, "Image10", kMagenta},
                      StripCase{"Label7", {141, 230, 20, 16}, "Image15", kMagenta}),
    [](const auto& row) { return std::string(row.param.strip); });

TEST(Strips, ShoesAreTheOnlyBrownOfTheLegPictures) {
    for (const auto& [name, strip] : {std::pair{"Image8", QRect(112, 280, 20, 16)},
                                      std::pair{"Image9", QRect(132, 280, 20, 16)}}) {
        const Picture& where = placement(name);
        const QImage picture = loadPicture(name);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (rgb(picture, x, y) == kBrown) {
                    EXPECT_TRUE(strip.contains(where.left + x, where.top + y))
                        << name << " brown at " << x << "," << y;
                }
            }
        }
    }
}

// --- Each stage keeps what the earlier stages drew -------------------------------------------

// The figure pictures in the window's drawing order.
constexpr std::array kFigureOrder = {"Image1", "Image2", "Image3", "Image4",  "Image5",  "Image6",
                                     "Image7", "Image8", "Image9", "Image10", "Image15", "Image11"};

struct StageRun {
    const char* name;
    std::vector<std::pair<const char*, const char*>> misses;  // shown, then hidden (or null)
};

QImage composeStage(const std::set<std::string>& shown) {
    QImage scene = background();
    for (const char* name : kFigureOrder) {
        if (shown.contains(name)) {
            // The complete figure shows its narrow view while the word is being played.
            const Picture& picture = placement(name);
            const bool figure = name == std::string("Image11");
            drawAt(scene, loadPicture(name), picture.left, picture.top,
                   figure ? std::optional<int>(35) : std::nullopt);
        }
    }
    return scene;
}

void PrintTo(const StageRun& run, std::ostream* out) {
    *out << run.name;
}

class StageTest : public ::testing::TestWithParam<StageRun> {};

// Anything drawn over the sky at one stage is still drawn at the next: a new picture never lays
// a blue rectangle over a piece that was already there.
TEST_P(StageTest, NextStageKeepsEverythingDrawnBefore) {
    const QImage sky = background();
    std::set<std::string> shown;
    QImage before = composeStage(shown);
    for (const auto& [show, hide] : GetParam().misses) {
        shown.insert(show);
        if (hide != nullptr) {
            shown.erase(hide);
        }
        const QImage after = composeStage(shown);
        int lost = 0;
        for (int y = 0; y < sky.height(); ++y) {
            for (int x = 0; x < sky.width(); ++x) {
                if (rgb(before, x, y) != rgb(sky, x, y) && rgb(after, x, y) == kSky) {
                    ++lost;
                }
            }
        }
        EXPECT_EQ(lost, 0) << "showing " << show << " wipes out " << lost << " drawn pixels";
        before = after;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, StageTest,
                         ::testing::Values(StageRun{"OneMissAPiece",
                                                    {{"Image1", nullptr},
                                                     {"Image2", nullptr},
                                                     {"Image3", nullptr},
                                                     {"Image4", nullptr},
                                                     {"Image5", nullptr},
                                                     {"Image6", nullptr},
                                                     {"Image7", nullptr},
                                                     {"Image8", nullptr},
                                                     {"Image9", nullptr},
                                                     {"Image10", nullptr},
                                                     {"Image11", nullptr}}},
                                           StageRun{"SecondArmBeforeTheEnd",
                                                    {{"Image1", nullptr},
                                                     {"Image2", nullptr},
                                                     {"Image3", nullptr},
                                                     {"Image4", nullptr},
                                                     {"Image5", nullptr},
                                                     {"Image6", nullptr},
                                                     {"Image7", nullptr},
                                                     {"Image8", nullptr},
                                                     {"Image9", nullptr},
                                                     {"Image10", nullptr},
                                                     {"Image15", nullptr},
                                                     {"Image11", "Image15"}}}),
                         [](const auto& row) { return std::string(row.param.name); });

// --- Icons ------------------------------------------------------------------------------------

class IconTest : public ::testing::TestWithParam<const char*> {};

TEST_P(IconTest, Is32By32WithATransparentGround) {
    const QImage icon(assetPath(GetParam()));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_TRUE(icon.hasAlphaChannel());
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            (qAlpha(icon.pixel(x, y)) == 0 ? transparent : opaque) += 1;
        }
    }
    EXPECT_GT(transparent, 100);
    EXPECT_GT(opaque, 100);
}

INSTANTIATE_TEST_SUITE_P(Pictures, IconTest,
                         ::testing::Values("icon.png", "Image16.png", "Image17.png", "Image18.png"),
                         [](const auto& row) {
                             std::string name = row.param;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
