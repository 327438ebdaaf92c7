// Draws every picture of the game: the background of sky and ground, the gallows and the hanged
// figure in its stages, the rising sun and the ground patch that hides it, the smoking sun, the
// window icon and the three icons of the word list editor.
//
// Usage: drawpictures <output-folder>
//
// The window never draws shapes itself: it shows and hides opaque pictures, each at a fixed place,
// and a later picture lies over an earlier one. So the gallows and the figure are painted here as
// one scene in window coordinates, and each picture is the part of the scene inside its rectangle
// with all the pieces of its own stage. A later picture thereby repeats what the earlier ones
// showed under it, and showing it over them gives the next stage without any seam.
//
// Everything is painted with antialiasing off, pixel by pixel at 1:1, in the few colours of the
// game's palette. The bitmaps are written as 8-bit BMP files with a 256-entry colour table, the
// icons as 32 x 32 PNG files with transparency.

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// The colours of the gallows pictures.
constexpr QRgb kSky = qRgb(0, 0, 255);
constexpr QRgb kGround = qRgb(0, 128, 0);
constexpr QRgb kBrown = qRgb(128, 64, 0);
constexpr QRgb kOrange = qRgb(255, 128, 64);
constexpr QRgb kOlive = qRgb(128, 128, 0);
constexpr QRgb kMagenta = qRgb(255, 0, 255);
constexpr QRgb kDarkTeal = qRgb(0, 64, 64);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kDarkRed = qRgb(128, 0, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kPurple = qRgb(128, 0, 128);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kGrey = qRgb(128, 128, 128);
// Two further shades: the twist of the rope and the light wisps of the smoke.
constexpr QRgb kDarkOlive = qRgb(80, 80, 0);
constexpr QRgb kSilver = qRgb(192, 192, 192);

constexpr std::array kPalette = {kSky,      kGround, kBrown,     kOrange,  kOlive, kMagenta,
                                 kDarkTeal, kWhite,  kBlack,     kDarkRed, kRed,   kPurple,
                                 kYellow,   kGrey,   kDarkOlive, kSilver};

// The icons keep to the sixteen colours of the classic icon palette.
constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kNavy = qRgb(0, 0, 128);

// ---------------------------------------------------------------------------------------------
// Small painting helpers. Coordinates are inclusive pixel positions.

void dot(QPainter& p, QRgb colour, int x, int y) {
    p.fillRect(x, y, 1, 1, QColor(colour));
}

void box(QPainter& p, QRgb colour, int x0, int y0, int x1, int y1) {
    p.fillRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, QColor(colour));
}

// A hand-drawn stroke: an aliased polyline through the given points.
void stroke(QPainter& p, QRgb colour, int width, const QPolygon& points) {
    QPen pen{QColor(colour)};
    pen.setWidth(width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
    p.setPen(Qt::NoPen);
}

// A set of pixels built from row spans, rectangles and ellipses, painted with a one-pixel
// outline: a pixel of the set with a neighbour outside it (left, right, above or below) is
// outline, every other pixel takes the fill colour of its position.
class Stencil {
public:
    Stencil& span(int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x) {
            m_pixels.insert({x, y});
        }
        return *this;
    }
    Stencil& rect(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y) {
            span(y, x0, x1);
        }
        return *this;
    }
    // The pixels whose centres lie inside the ellipse within the box x0..x1, y0..y1.
    Stencil& ellipse(int x0, int y0, int x1, int y1) {
        const double cx = (x0 + x1 + 1) / 2.0;
        const double cy = (y0 + y1 + 1) / 2.0;
        const double rx = (x1 - x0 + 1) / 2.0;
        const double ry = (y1 - y0 + 1) / 2.0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double dx = (x + 0.5 - cx) / rx;
                const double dy = (y + 0.5 - cy) / ry;
                if (dx * dx + dy * dy <= 1.0) {
                    m_pixels.insert({x, y});
                }
            }
        }
        return *this;
    }
    // Removes the pixels below row y (a dome cut flat at its base).
    Stencil& cutBelow(int y) {
        std::erase_if(m_pixels, [y](const auto& pixel) { return pixel.second > y; });
        return *this;
    }

    bool contains(int x, int y) const { return m_pixels.contains({x, y}); }

    void paint(QPainter& p, QRgb outline, const std::function<QRgb(int, int)>& fill) const {
        for (const auto& [x, y] : m_pixels) {
            const bool inner = contains(x - 1, y) && contains(x + 1, y) && contains(x, y - 1) &&
                               contains(x, y + 1);
            dot(p, inner ? fill(x, y) : outline, x, y);
        }
    }
    void paint(QPainter& p, QRgb outline, QRgb fill) const {
        paint(p, outline, [fill](int, int) { return fill; });
    }
    // Paints every pixel of the set in one colour, without an outline.
    void fill(QPainter& p, QRgb colour) const {
        for (const auto& [x, y] : m_pixels) {
            dot(p, colour, x, y);
        }
    }

private:
    std::set<std::pair<int, int>> m_pixels;  // (x, y)
};

// ---------------------------------------------------------------------------------------------
// The gallows scene, in window coordinates. The horizon lies at y = 300.

// The pieces of the scene, as bit flags. Each piece must stay inside the rectangle of the picture
// that first shows it: what it draws outside is cut off there and would appear only at a later
// stage. paintScene paints the head after the body and the limbs, so that the neck and the noose
// lie over the collar.
enum Layer : unsigned {
    kMound = 1u << 0,
    kPost = 1u << 1,
    kBeam = 1u << 2,
    kBrace = 1u << 3,
    kRope = 1u << 4,
    kHead = 1u << 5,
    kBody = 1u << 6,
    kFirstLeg = 1u << 7,
    kSecondLeg = 1u << 8,
    kLeftArm = 1u << 9,
    kRightArm = 1u << 10,
    kPointer = 1u << 11,  // the red arrow and "TY" beside the complete figure
};

// The face grows more frightened with every stage.
enum class Face { Calm, Ajar, Gasping, Frightened, Dead };

void paintMound(QPainter& p) {
    // A low half dome of brown earth whose flat base lies on the horizon.
    Stencil mound;
    mound.ellipse(11, 288, 68, 313).cutBelow(300);
    mound.paint(p, kBlack, kBrown);
    // Pebbles and tufts of grass, so that it reads as earth.
    for (const auto& [x, y] : {std::pair{22, 296}, {31, 293}, {53, 295}, {60, 298}, {47, 292}}) {
        box(p, kGrey, x, y, x + 1, y);
        dot(p, kBlack, x, y + 1);
        dot(p, kBlack, x + 1, y + 1);
    }
    for (const auto& [x, y] : {std::pair{17, 293}, {27, 290}, {50, 289}, {63, 294}}) {
        dot(p, kGround, x, y);
        dot(p, kGround, x + 1, y - 1);
        dot(p, kGround, x + 2, y);
    }
}

void paintPost(QPainter& p) {
    // Its foot stands two pixels deep in the top of the mound.
    box(p, kBlack, 37, 100, 43, 289);
    box(p, kOrange, 38, 101, 42, 288);
    // Wood grain and a knot.
    for (const auto [x, y0, y1] : std::array<std::array<int, 3>, 6>{{{40, 112, 131},
                                                                     {39, 150, 171},
                                                                     {41, 186, 209},
                                                                     {40, 229, 254},
                                                                     {39, 262, 270},
                                                                     {41, 118, 124}}}) {
        box(p, kBrown, x, y0, x, y1);
    }
    box(p, kBrown, 39, 139, 41, 141);
    dot(p, kOrange, 40, 140);
    // Two nails at the top, where the beam is joined on.
    dot(p, kBlack, 39, 103);
    dot(p, kBlack, 41, 106);
}

void paintBeam(QPainter& p) {
    // The beam lies on the top of the post; its left end joins the post without a seam.
    box(p, kBlack, 43, 100, 146, 108);
    box(p, kOrange, 43, 101, 145, 107);
    for (const auto [y, x0, x1] : std::array<std::array<int, 3>, 6>{{{103, 52, 77},
                                                                     {105, 84, 108},
                                                                     {104, 115, 123},
                                                                     {103, 134, 143},
                                                                     {105, 60, 66},
                                                                     {102, 92, 99}}}) {
        box(p, kBrown, x0, y, x1, y);
    }
}

void paintBrace(QPainter& p) {
    // An 8-pixel bar from the post up to the beam, with black edges along its length. Its ends
    // butt against the post and the beam, whose outlines close it.
    for (int y = 109; y <= 149; ++y) {
        const int upper = 183 - y;  // the upper-left edge
        const int lower = 193 - y;  // the lower-right edge
        for (int x = std::max(44, upper); x <= std::min(84, lower); ++x) {
            const bool edge = x == upper || x == lower;
            const bool grain = x == 188 - y && ((y > 114 && y < 126) || (y > 131 && y < 140));
            dot(p, edge ? kBlack : (grain ? kBrown : kOrange), x, y);
        }
    }
    dot(p, kBlack, 47, 142);  // nails
    dot(p, kBlack, 78, 113);
}

// The rope, 3 pixels thick, with a twist every few rows.
void paintRopeLine(QPainter& p, int y0, int y1) {
    box(p, kOlive, 130, y0, 132, y1);
    for (int y = y0; y <= y1; ++y) {
        if (y % 4 == 0) {
            dot(p, kDarkOlive, 130, y);
        } else if (y % 4 == 1) {
            dot(p, kDarkOlive, 131, y);
        } else if (y % 4 == 2) {
            dot(p, kDarkOlive, 132, y);
        }
    }
}

void paintRope(QPainter& p, bool holdsHead) {
    // Three turns round the beam, showing over its top edge.
    for (int turn = 0; turn < 3; ++turn) {
        for (int y = 99; y <= 108; ++y) {
            const int x = 127 + 3 * turn + (y - 99) / 4;
            dot(p, kOlive, x, y);
            dot(p, kDarkOlive, x + 1, y);
        }
    }
    if (holdsHead) {
        // The head hides the rest: the rope runs behind it into the noose at the neck.
        paintRopeLine(p, 109, 163);
        return;
    }
    // Hanging empty: a knot and an oval noose, all of it below y = 160 so that the head covers it.
    paintRopeLine(p, 109, 163);
    Stencil knot;
    knot.rect(129, 162, 133, 167);
    knot.paint(p, kDarkOlive, kOlive);
    Stencil noose;
    noose.ellipse(126, 167, 136, 182);
    Stencil hole;
    hole.ellipse(128, 169, 134, 180);
    noose.fill(p, kOlive);
    hole.fill(p, kSky);
    dot(p, kDarkOlive, 126, 174);
    dot(p, kDarkOlive, 136, 176);
    dot(p, kDarkOlive, 131, 182);
}

void paintHead(QPainter& p, Face face) {
    // The neck, under the noose; the body's collar closes it at y = 187.
    box(p, kBlack, 127, 181, 134, 186);
    box(p, kMagenta, 128, 181, 133, 186);

    Stencil head;
    head.ellipse(121, 162, 140, 181);
    head.paint(p, kBlack, kMagenta);
    // Ears.
    box(p, kBlack, 120, 170, 120, 174);
    box(p, kMagenta, 121, 171, 121, 173);
    box(p, kBlack, 141, 170, 141, 174);
    box(p, kMagenta, 140, 171, 140, 173);
    // Black hair with a ragged fringe and a few tufts sticking up.
    for (int y = 162; y <= 166; ++y) {
        for (int x = 121; x <= 140; ++x) {
            if (head.contains(x, y)) {
                dot(p, kBlack, x, y);
            }
        }
    }
    for (const int x : {123, 124, 126, 129, 130, 133, 135, 136, 138}) {
        dot(p, kBlack, x, 167);
    }
    dot(p, kBlack, 124, 168);
    dot(p, kBlack, 136, 168);
    for (const auto& [x, y] : {std::pair{128, 161},
                               {127, 160},
                               {133, 161},
                               {134, 161},
                               {135, 160},
                               {126, 162},
                               {137, 162}}) {
        dot(p, kBlack, x, y);
    }
    // Nose.
    dot(p, kPurple, 130, 174);
    dot(p, kPurple, 131, 174);
    dot(p, kPurple, 131, 173);

    switch (face) {
        case Face::Calm:
            box(p, kBlack, 126, 170, 127, 171);
            box(p, kBlack, 134, 170, 135, 171);
            box(p, kBlack, 128, 177, 133, 177);
            break;
        case Face::Ajar:
            box(p, kBlack, 126, 170, 127, 171);
            box(p, kBlack, 134, 170, 135, 171);
            box(p, kBlack, 129, 177, 132, 177);
            box(p, kBlack, 128, 178, 133, 178);
            box(p, kDarkRed, 130, 178, 131, 178);
            box(p, kBlack, 129, 179, 132, 179);
            break;
        case Face::Gasping: {
            // Heavier eyes under worried brows.
            box(p, kBlack, 125, 170, 127, 172);
            box(p, kBlack, 134, 170, 136, 172);
            dot(p, kBlack, 125, 169);
            dot(p, kBlack, 136, 169);
            Stencil mouth;
            mouth.ellipse(128, 176, 133, 180);
            mouth.paint(p, kBlack, kDarkRed);
            break;
        }
        case Face::Frightened: {
            // Wide white eyes with brown pupils and dark red rings beneath them.
            box(p, kWhite, 124, 168, 127, 171);
            box(p, kWhite, 134, 168, 137, 171);
            box(p, kBrown, 125, 170, 126, 171);
            box(p, kBrown, 135, 170, 136, 171);
            box(p, kDarkRed, 124, 172, 127, 172);
            box(p, kDarkRed, 134, 172, 137, 172);
            Stencil mouth;
            mouth.ellipse(128, 175, 133, 180);
            mouth.paint(p, kBlack, kDarkRed);
            break;
        }
        case Face::Dead: {
            // Bloodshot eyes rolled up, and the tongue hanging out over the noose.
            box(p, kWhite, 124, 168, 127, 171);
            box(p, kWhite, 134, 168, 137, 171);
            box(p, kBlack, 125, 168, 126, 168);
            box(p, kBlack, 135, 168, 136, 168);
            for (const auto& [x, y] : {std::pair{124, 170},
                                       {125, 171},
                                       {127, 169},
                                       {134, 171},
                                       {136, 170},
                                       {137, 171}}) {
                dot(p, kDarkRed, x, y);
            }
            box(p, kPurple, 124, 172, 127, 172);
            box(p, kPurple, 134, 172, 137, 172);
            stroke(p, kBlack, 1, QPolygon{{{127, 176}, {130, 177}, {134, 176}}});
            break;
        }
    }

    // The noose round the neck under the chin, its knot at the right ear.
    box(p, kOlive, 126, 182, 136, 184);
    for (int x = 126; x <= 136; x += 2) {
        dot(p, kDarkOlive, x, 183);
    }
    // The coils of the hangman's knot.
    for (int y = 178; y <= 185; ++y) {
        box(p, y % 2 == 0 ? kOlive : kDarkOlive, 136, y, 138, y);
    }
    dot(p, kOlive, 139, 181);
    dot(p, kOlive, 139, 183);

    if (face == Face::Dead) {
        Stencil tongue;
        tongue.rect(130, 177, 133, 184).span(185, 131, 132);
        tongue.paint(p, kBlack, kDarkRed);
        box(p, kPurple, 131, 179, 131, 182);
    }
}

// The stripes of the prisoner's outfit, dark teal and white, three rows each.
QRgb outfitStripe(int, int y) {
    return ((y - 187) / 3) % 2 == 0 ? kDarkTeal : kWhite;
}

void paintBody(QPainter& p) {
    // A shirt with sloping shoulders, its hem over the trousers at y = 232.
    Stencil body;
    body.span(187, 126, 135).span(188, 124, 137).span(189, 122, 139).rect(121, 190, 140, 239);
    body.rect(121, 240, 129, 243).rect(132, 240, 140, 243);  // the trousers part at the bottom
    body.paint(p, kBlack, outfitStripe);
    box(p, kBlack, 121, 232, 140, 232);
    // The neck shows in the opening of the collar.
    box(p, kMagenta, 129, 187, 132, 188);
    box(p, kMagenta, 130, 189, 131, 189);
    dot(p, kBlack, 128, 188);
    dot(p, kBlack, 133, 188);
    dot(p, kBlack, 129, 189);
    dot(p, kBlack, 132, 189);
    box(p, kBlack, 130, 190, 131, 190);
}

void paintFirstLeg(QPainter& p) {
    // The leg's top outline lies on the hem of the trousers.
    Stencil leg;
    leg.rect(122, 243, 129, 279);
    leg.paint(p, kBlack, outfitStripe);
    // The shoe points left; it lies wholly in 114..130 x 280..285, where a strip can hide it.
    Stencil shoe;
    shoe.span(280, 122, 129).span(281, 117, 130).span(282, 115, 130).span(283, 114, 130);
    shoe.span(284, 114, 130).span(285, 115, 130);
    shoe.paint(p, kBlack, kBrown);
    dot(p, kBlack, 124, 282);  // laces
    dot(p, kBlack, 126, 282);
}

void paintSecondLeg(QPainter& p) {
    Stencil leg;
    leg.rect(132, 243, 139, 279);
    leg.paint(p, kBlack, outfitStripe);
    // The shoe points right; it lies wholly in 132..146 x 280..285.
    Stencil shoe;
    shoe.span(280, 132, 139).span(281, 132, 144).span(282, 132, 145).span(283, 132, 146);
    shoe.span(284, 132, 146).span(285, 132, 145);
    shoe.paint(p, kBlack, kBrown);
    dot(p, kBlack, 135, 282);
    dot(p, kBlack, 137, 282);
}

// The sleeves are striped black and white, two rows each.
QRgb sleeveStripe(int, int y) {
    return ((y - 186) / 2) % 2 == 0 ? kWhite : kBlack;
}

// A sleeve slanting down from the shoulder, one span per row, and a hand at its end.
void paintArm(QPainter& p, int shoulderLeft, int shoulderRight, int cuffLeft, int cuffRight,
              const Stencil& hand) {
    Stencil sleeve;
    constexpr int top = 190;
    constexpr int bottom = 229;
    for (int y = top; y <= bottom; ++y) {
        const double t = double(y - top) / (bottom - top);
        const int x0 = int(shoulderLeft + t * (cuffLeft - shoulderLeft) + 0.5);
        const int x1 = int(shoulderRight + t * (cuffRight - shoulderRight) + 0.5);
        sleeve.span(y, x0, x1);
    }
    sleeve.paint(p, kBlack, sleeveStripe);
    hand.paint(p, kPurple, kMagenta);
}

void paintLeftArm(QPainter& p) {
    // The hand lies wholly in 107..115 x 230..235.
    Stencil hand;
    hand.span(230, 109, 114).span(231, 108, 115).span(232, 107, 115).span(233, 107, 115);
    hand.span(234, 108, 114).span(235, 109, 113);
    paintArm(p, 116, 121, 109, 115, hand);
    box(p, kBlack, 118, 189, 121, 189);  // the round of the shoulder
    dot(p, kPurple, 110, 233);           // fingers
    dot(p, kPurple, 112, 233);
}

void paintRightArm(QPainter& p) {
    // The hand lies wholly in 144..152 x 230..235.
    Stencil hand;
    hand.span(230, 145, 150).span(231, 144, 151).span(232, 144, 152).span(233, 144, 152);
    hand.span(234, 145, 151).span(235, 146, 150);
    paintArm(p, 140, 145, 145, 151, hand);
    box(p, kBlack, 140, 189, 143, 189);
    dot(p, kPurple, 147, 233);
    dot(p, kPurple, 149, 233);
}

// Beside the complete figure, in red and by hand: an arrow pointing left at the figure's arm and
// above it the word "TY". It keeps to x = 154..193, right of the part shown at the narrow width.
void paintPointer(QPainter& p) {
    // Arrow: a wavy shaft from the lower right up to the head at the arm, with two barbs.
    stroke(p, kRed, 2,
           QPolygon{{{190, 226}, {184, 222}, {178, 221}, {172, 218}, {166, 215}, {158, 212}}});
    stroke(p, kRed, 2, QPolygon{{{165, 205}, {157, 212}, {164, 220}}});
    // T
    stroke(p, kRed, 2, QPolygon{{{166, 171}, {171, 170}, {177, 171}}});
    stroke(p, kRed, 2, QPolygon{{{171, 171}, {172, 180}, {171, 191}}});
    // Y
    stroke(p, kRed, 2, QPolygon{{{180, 170}, {184, 177}, {186, 180}}});
    stroke(p, kRed, 2, QPolygon{{{192, 169}, {189, 175}, {186, 180}, {185, 186}, {186, 192}}});
}

void paintScene(QPainter& p, unsigned layers, Face face) {
    if (layers & kMound) {
        paintMound(p);
    }
    if (layers & kPost) {
        paintPost(p);
    }
    if (layers & kBeam) {
        paintBeam(p);
    }
    if (layers & kBrace) {
        paintBrace(p);
    }
    if (layers & kRope) {
        paintRope(p, (layers & kHead) != 0);
    }
    if (layers & kBody) {
        paintBody(p);
    }
    if (layers & kFirstLeg) {
        paintFirstLeg(p);
    }
    if (layers & kSecondLeg) {
        paintSecondLeg(p);
    }
    if (layers & kLeftArm) {
        paintLeftArm(p);
    }
    if (layers & kRightArm) {
        paintRightArm(p);
    }
    if (layers & kHead) {
        paintHead(p, face);
    }
    if (layers & kPointer) {
        paintPointer(p);
    }
}

// A picture of the gallows set: its place in the window and what its stage shows.
struct StagePicture {
    const char* name;
    QRect rect;  // in window coordinates
    unsigned layers;
    Face face;
};

constexpr unsigned kFrame = kMound | kPost | kBeam | kBrace | kRope;
constexpr unsigned kFigure = kFrame | kHead | kBody | kFirstLeg | kSecondLeg;

const std::array kStagePictures = {
    StagePicture{"Image1", {11, 288, 58, 13}, kMound, Face::Calm},
    StagePicture{"Image2", {37, 100, 7, 190}, kMound | kPost, Face::Calm},
    StagePicture{"Image3", {43, 100, 104, 9}, kMound | kPost | kBeam, Face::Calm},
    StagePicture{"Image4", {44, 109, 41, 41}, kMound | kPost | kBeam | kBrace, Face::Calm},
    StagePicture{"Image5", {126, 99, 11, 84}, kFrame, Face::Calm},
    StagePicture{"Image6", {120, 160, 22, 27}, kFrame | kHead, Face::Calm},
    StagePicture{"Image7", {119, 160, 23, 84}, kFrame | kHead | kBody, Face::Ajar},
    StagePicture{"Image8", {114, 160, 28, 126}, kFrame | kHead | kBody | kFirstLeg, Face::Gasping},
    StagePicture{"Image9", {131, 244, 16, 42}, kFigure, Face::Gasping},
    StagePicture{"Image10", {107, 160, 35, 76}, kFigure | kLeftArm, Face::Frightened},
    StagePicture{"Image15", {120, 160, 33, 76}, kFigure | kLeftArm | kRightArm, Face::Frightened},
    StagePicture{
        "Image11", {119, 160, 77, 76}, kFigure | kLeftArm | kRightArm | kPointer, Face::Dead},
};

// A blank picture of the given size in the sky colour.
QImage skyPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kSky);
    return image;
}

QImage drawStagePicture(const StagePicture& picture) {
    QImage image = skyPicture(picture.rect.width(), picture.rect.height());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.translate(-picture.rect.left(), -picture.rect.top());
    paintScene(p, picture.layers, picture.face);
    return image;
}

QImage drawBackground() {
    QImage image(538, 400, QImage::Format_RGB32);
    QPainter p(&image);
    box(p, kSky, 0, 0, 537, 299);
    box(p, kGround, 0, 300, 537, 399);
    box(p, kGround, 0, 206, 0, 299);
    return image;
}

QImage drawGroundPatch() {
    QImage image(75, 107, QImage::Format_RGB32);
    image.fill(kGround);
    return image;
}

// The disc of the sun fills its 68 x 68 picture, so its top row is the picture's top row.
Stencil sunDisc() {
    Stencil disc;
    disc.ellipse(0, 0, 67, 67);
    return disc;
}

QImage drawSun() {
    QImage image = skyPicture(68, 68);
    QPainter p(&image);
    sunDisc().fill(p, kYellow);
    return image;
}

QImage drawSmokingSun() {
    QImage image = skyPicture(68, 68);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    sunDisc().fill(p, kYellow);

    // Two half-closed eyes: heavy lids over the lower halves of the eyeballs.
    for (const int left : {15, 38}) {
        Stencil eye;
        eye.ellipse(left, 20, left + 12, 32).cutBelow(32);
        Stencil lower;
        for (int y = 26; y <= 32; ++y) {
            for (int x = left; x <= left + 12; ++x) {
                if (eye.contains(x, y)) {
                    lower.span(y, x, x);
                }
            }
        }
        lower.paint(p, kBlack, kWhite);
        box(p, kBlack, left + 5, 28, left + 7, 30);
        box(p, kBlack, left, 25, left + 12, 26);
        dot(p, kBlack, left - 1, 26);
        dot(p, kBlack, left + 13, 25);
    }
    // A sly brow over the right eye.
    stroke(p, kBlack, 1, QPolygon{{{39, 19}, {44, 17}, {50, 18}}});
    // Two dots for the nose.
    box(p, kBlack, 30, 37, 31, 38);
    box(p, kBlack, 35, 37, 36, 38);
    // A crooked grin, higher at the right where the cigarette sits.
    stroke(p, kBlack, 2,
           QPolygon{{{16, 45}, {20, 48}, {26, 50}, {33, 50}, {40, 48}, {46, 45}, {50, 41}}});
    dot(p, kBlack, 15, 44);
    // The cigarette in the right corner of the mouth, its tip glowing.
    Stencil cigarette;
    for (int x = 49; x <= 63; ++x) {
        const int y = 42 - (x - 49) / 5;
        cigarette.span(y, x, x).span(y + 1, x, x).span(y + 2, x, x).span(y + 3, x, x);
    }
    cigarette.paint(p, kBlack, kWhite);
    box(p, kOrange, 61, 40, 62, 41);
    dot(p, kRed, 62, 40);
    // Grey smoke curling up the right half of the disc.
    stroke(
        p, kGrey, 2,
        QPolygon{{{62, 37}, {59, 33}, {61, 28}, {57, 23}, {58, 18}, {54, 13}, {55, 8}, {51, 3}}});
    stroke(p, kSilver, 1, QPolygon{{{64, 35}, {65, 30}, {62, 25}, {63, 20}}});
    stroke(p, kSilver, 1, QPolygon{{{49, 12}, {47, 8}, {48, 4}}});
    return image;
}

// ---------------------------------------------------------------------------------------------
// The icons, 32 x 32 on a transparent ground.

QImage transparentIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage drawWindowIcon() {
    QImage image = transparentIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A dark red gallows: post, beam and brace, on a little base.
    box(p, kDarkRed, 3, 4, 5, 30);
    box(p, kDarkRed, 3, 4, 22, 6);
    box(p, kDarkRed, 1, 29, 9, 30);
    stroke(p, kDarkRed, 2, QPolygon{{{6, 13}, {12, 7}}});
    // The rope down to the neck.
    box(p, kOlive, 17, 7, 17, 11);
    // Head: black hair, a round magenta face, white eyes, a red mouth, and the noose.
    Stencil head;
    head.span(11, 15, 19).span(12, 14, 20).rect(14, 13, 20, 15).span(16, 15, 19).span(17, 16, 18);
    head.fill(p, kMagenta);
    box(p, kBlack, 15, 11, 19, 11);
    box(p, kBlack, 14, 12, 20, 12);
    dot(p, kBlack, 14, 13);
    dot(p, kBlack, 20, 13);
    dot(p, kWhite, 15, 14);
    dot(p, kWhite, 16, 14);
    dot(p, kWhite, 18, 14);
    dot(p, kWhite, 19, 14);
    dot(p, kBlack, 16, 14);
    dot(p, kBlack, 19, 14);
    box(p, kRed, 16, 16, 18, 16);
    box(p, kOlive, 15, 17, 19, 17);
    // Striped body, arms and legs, black and white.
    for (int y = 18; y <= 23; ++y) {
        box(p, y % 2 == 0 ? kBlack : kWhite, 15, y, 19, y);
        box(p, y % 2 == 0 ? kBlack : kWhite, 13, y + 1, 13, y + 1);
        box(p, y % 2 == 0 ? kBlack : kWhite, 21, y + 1, 21, y + 1);
    }
    box(p, kMagenta, 13, 25, 13, 25);
    box(p, kMagenta, 21, 25, 21, 25);
    dot(p, kMagenta, 12, 25);
    dot(p, kMagenta, 22, 25);
    for (int y = 24; y <= 27; ++y) {
        dot(p, y % 2 == 0 ? kBlack : kWhite, 15, y);
        dot(p, y % 2 == 0 ? kBlack : kWhite, 16, y);
        dot(p, y % 2 == 0 ? kBlack : kWhite, 18, y);
        dot(p, y % 2 == 0 ? kBlack : kWhite, 19, y);
    }
    box(p, kDarkRed, 13, 28, 16, 29);
    box(p, kDarkRed, 18, 28, 21, 29);
    // The sun with a smiling face in the corner.
    Stencil sun;
    sun.ellipse(22, 0, 31, 9);
    sun.fill(p, kYellow);
    dot(p, kBlack, 25, 3);
    dot(p, kBlack, 28, 3);
    dot(p, kBlack, 24, 5);
    box(p, kBlack, 25, 6, 28, 6);
    dot(p, kBlack, 29, 5);
    return image;
}

QImage drawSaveIcon() {
    QImage image = transparentIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A cyan floppy disk with a cut corner, a white label and a grey shutter.
    Stencil body;
    for (int y = 3; y <= 28; ++y) {
        body.span(y, 3, y < 6 ? 25 + (y - 3) : 28);
    }
    body.paint(p, kBlack, kCyan);
    box(p, kTeal, 5, 27, 27, 27);
    Stencil label;
    label.rect(7, 4, 23, 15);
    label.paint(p, kBlack, kWhite);
    for (const int y : {7, 10, 13}) {
        box(p, kGrey, 9, y, y == 13 ? 16 : 21, y);
    }
    Stencil shutter;
    shutter.rect(9, 19, 23, 28);
    shutter.paint(p, kBlack, kSilver);
    box(p, kGrey, 17, 21, 20, 26);
    box(p, kBlack, 18, 22, 19, 25);
    return image;
}

QImage drawOpenIcon() {
    QImage image = transparentIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto dither = [](int x, int y) { return (x + y) % 2 == 0 ? kYellow : kWhite; };
    // The back of the folder with its tab.
    Stencil back;
    back.span(6, 3, 11).span(7, 2, 12).rect(2, 8, 25, 27);
    back.paint(p, kBlack, dither);
    // The front flap, opened and slanting towards the viewer: mostly yellow, lightly dithered.
    Stencil front;
    for (int y = 14; y <= 27; ++y) {
        front.span(y, 2 + (27 - y) / 2, 25 + (27 - y) / 2);
    }
    front.paint(p, kBlack, [](int x, int y) { return (x + 2 * y) % 6 == 0 ? kWhite : kYellow; });
    // A sheet of paper peeping out.
    box(p, kBlack, 8, 10, 22, 10);
    box(p, kWhite, 8, 11, 22, 12);
    box(p, kBlack, 8, 11, 8, 12);
    box(p, kBlack, 22, 11, 22, 12);
    return image;
}

QImage drawTextStyleIcon() {
    QImage image = transparentIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A blue blackletter B, top right: a heavy stem with a navy shadow, broken bowls and
    // flourishes at its ends.
    constexpr std::array<const char*, 15> letterB = {
        "..bbbbbbbb....",  //
        ".bb.nb...bb...",  //
        "b...nb....bb..",  //
        "....nb....bb..",  //
        "....nb...bb...",  //
        "....nb.bbb....",  //
        "....nbbb......",  //
        "....nb.bbbb...",  //
        "....nb....bb..",  //
        "....nb.....bb.",  //
        "....nb.....bb.",  //
        "....nb.....bb.",  //
        "..b.nb....bb..",  //
        ".bbbbbbbbbb...",  //
        "bb............",  //
    };
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; letterB[static_cast<std::size_t>(row)][column] != 0; ++column) {
            const char c = letterB[static_cast<std::size_t>(row)][column];
            if (c != '.') {
                dot(p, c == 'n' ? kNavy : kBlue, 16 + column, 1 + row);
            }
        }
    }
    // A red serif A, bottom left.
    stroke(p, kRed, 2, QPolygon{{{3, 29}, {8, 15}, {13, 29}}});
    stroke(p, kRed, 1, QPolygon{{{5, 24}, {11, 24}}});
    box(p, kRed, 1, 30, 5, 30);
    box(p, kRed, 11, 30, 15, 30);
    box(p, kRed, 7, 14, 9, 14);
    // A white outlined C, bottom right, with a grey shadow so it shows on a light panel.
    const QPolygon c{
        {{29, 20}, {27, 18}, {23, 18}, {20, 20}, {19, 24}, {20, 28}, {23, 30}, {27, 30}, {29, 28}}};
    stroke(p, kGrey, 2, c.translated(1, 1));
    stroke(p, kWhite, 2, c);
    return image;
}

// ---------------------------------------------------------------------------------------------
// Writing the files.

// Converts a picture to 8 bits per pixel with the game's 256-entry colour table. Every pixel must
// already be one of the palette's colours; anything else is a drawing fault and stops the run.
QImage toIndexed(const QImage& picture, const char* name) {
    QList<QRgb> table(kPalette.begin(), kPalette.end());
    while (table.size() < 256) {
        table.append(kBlack);  // unused entries
    }
    QHash<QRgb, int> index;
    for (int i = static_cast<int>(kPalette.size()) - 1; i >= 0; --i) {
        index.insert(kPalette[static_cast<std::size_t>(i)], i);
    }
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    // The padding at the end of each row goes into the file too: clear it, so that the same
    // drawing always gives the same bytes.
    std::memset(indexed.bits(), 0, static_cast<std::size_t>(indexed.sizeInBytes()));
    indexed.setColorTable(table);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = picture.pixel(x, y) | 0xff000000u;
            const auto found = index.constFind(colour);
            if (found == index.constEnd()) {
                throw std::runtime_error(
                    std::string(name) + ": colour " + QColor(colour).name().toStdString() + " at " +
                    std::to_string(x) + "," + std::to_string(y) + " is not in the palette");
            }
            indexed.setPixel(x, y, static_cast<uint>(*found));
        }
    }
    return indexed;
}

void save(const QImage& image, const QDir& folder, const QString& file) {
    const QString path = folder.filePath(file);
    if (!image.save(path)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
}

void saveBitmap(const QImage& picture, const QDir& folder, const char* name) {
    save(toIndexed(picture, name), folder, QString::fromLatin1(name) + ".bmp");
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawpictures <output-folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "drawpictures: cannot create the folder %s\n", argv[1]);
        return 1;
    }
    try {
        saveBitmap(drawBackground(), folder, "IMAGE0");
        for (const StagePicture& picture : kStagePictures) {
            saveBitmap(drawStagePicture(picture), folder, picture.name);
        }
        saveBitmap(drawSun(), folder, "Image12");
        saveBitmap(drawGroundPatch(), folder, "Image13");
        saveBitmap(drawSmokingSun(), folder, "Image14");
        save(drawWindowIcon(), folder, "icon.png");
        save(drawSaveIcon(), folder, "Image16.png");
        save(drawOpenIcon(), folder, "Image17.png");
        save(drawTextStyleIcon(), folder, "Image18.png");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "drawpictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
