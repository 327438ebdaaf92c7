// The manual of the help panel and the about text: their shape, which the panel and the about box
// rely on, and that every character has a CP1250 byte like all the game's texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ui/help/abouttext.h"
#include "words/cp1250.h"

namespace dyx {
namespace {

std::vector<std::string> manualLines() {
    std::ifstream in(DYX_HELP_DIR "/manual.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line has no line end";
    return lines;
}

std::string repeated(std::string_view piece, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}

constexpr std::string_view kCaron = "ˇ";
constexpr std::string_view kDiaeresis = "¨";
constexpr std::string_view kAcute = "´";

struct Heading {
    std::string_view text;
    std::string_view accent;
    int count;
};

// In the order they appear. A heading's underline is indented like the heading.
constexpr Heading kHeadings[] = {
    {"Jak to vlastně funguje", kCaron, 35},
    {"Menu", kCaron, 9},
    {"  Soubor", kDiaeresis, 12},
    {"   Vytvořit vlastní", kAcute, 23},
    {"  Co hádat", kDiaeresis, 14},
    {"  Obtížnost", kDiaeresis, 15},
    {"Kdo tohle všechno naprogramoval?", kCaron, 56},
};

// Where each heading stands, in order; -1 when missing.
std::vector<long> headingPositions(const std::vector<std::string>& lines) {
    std::vector<long> positions;
    auto from = lines.begin();
    for (const auto& heading : kHeadings) {
        const auto it = std::find(from, lines.end(), heading.text);
        positions.push_back(it == lines.end() ? -1 : it - lines.begin());
        from = it == lines.end() ? from : it + 1;
    }
    return positions;
}

TEST(Manual, Has151LinesEachWithACp1250Byte) {
    const auto lines = manualLines();
    EXPECT_EQ(lines.size(), 151u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto encoded = utf8ToCp1250(lines[i]);
        EXPECT_TRUE(encoded.ok) << "line " << i + 1 << ", column " << encoded.badColumn << ": "
                                << lines[i];
    }
}

TEST(Manual, HeadingsComeInOrderUnderlinedByTheirAccents) {
    const auto lines = manualLines();
    const auto positions = headingPositions(lines);
    ASSERT_EQ(std::count(positions.begin(), positions.end(), -1), 0) << "a heading is missing";
    EXPECT_EQ(positions.front(), 0) << "the manual starts with its first heading";
    for (std::size_t h = 0; h < positions.size(); ++h) {
        const auto& heading = kHeadings[h];
        const std::string indent(heading.text.find_first_not_of(' '), ' ');
        const auto under = static_cast<std::size_t>(positions[h]) + 1;
        ASSERT_LT(under, lines.size());
        EXPECT_EQ(lines[under], indent + repeated(heading.accent, heading.count)) << heading.text;
    }
}

TEST(Manual, BodyLinesAreIndentedAndOnlyTwoEmptyLinesSeparateTheSections) {
    const auto lines = manualLines();
    const auto positions = headingPositions(lines);
    ASSERT_EQ(std::count(positions.begin(), positions.end(), -1), 0);
    std::vector<bool> isHeadingOrUnderline(lines.size());
    for (const long p : positions) {
        isHeadingOrUnderline[static_cast<std::size_t>(p)] = true;
        isHeadingOrUnderline[static_cast<std::size_t>(p) + 1] = true;
    }
    const auto menu = static_cast<std::size_t>(positions[1]);
    const auto credits = static_cast<std::size_t>(positions[6]);
    EXPECT_EQ(menu, 27u) << "24 lines explain the game, then an empty line";
    EXPECT_EQ(static_cast<std::size_t>(positions[2]), menu + 4) << "two lines introduce the menu";
    EXPECT_GT(lines.size(), credits + 2) << "the credits run to the end";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isHeadingOrUnderline[i]) {
            continue;
        }
        if (i + 1 == menu || i + 1 == credits) {
            EXPECT_EQ(lines[i], "") << "line " << i + 1;
        } else {
            EXPECT_TRUE(lines[i].size() > 1 && lines[i][0] == ' ' &&
                        lines[i].find_first_not_of(' ') != std::string::npos)
                << "line " << i + 1 << " is not a body line: \"" << lines[i] << '"';
        }
    }
}

// Each menu item is explained under the heading of its menu.
TEST(Manual, EveryMenuItemIsExplainedInItsSection) {
    const auto lines = manualLines();
    const auto positions = headingPositions(lines);
    ASSERT_EQ(std::count(positions.begin(), positions.end(), -1), 0);
    const auto section = [&](std::size_t h) {
        std::string text;
        for (auto i = static_cast<std::size_t>(positions[h]) + 2;
             i < static_cast<std::size_t>(positions[h + 1]); ++i) {
            text += lines[i] + "\n";
        }
        return text;
    };
    const struct {
        std::size_t heading;
        std::vector<std::string_view> items;
    } kSections[] = {
        {2, {"Znovu"}},
        {3, {"velkými písmeny", "ů", "*.KIL", "Hotovo", "Zvuky", "Hudba", "Konec"}},
        {4, {"Slova", "Jména", "Města", "Počítač", "Přísloví", "Fauna a flóra", "Vlastní"}},
        {5,
         {"Pro neandrtálce", "15", "Pro dítě", "11", "Pro chytrého", "7", "Pro lidský slovník", "2",
          "Kolik slov budeš hádat?"}},
    };
    for (const auto& [heading, items] : kSections) {
        const std::string text = section(heading);
        for (const auto item : items) {
            EXPECT_NE(text.find(item), std::string::npos)
                << '"' << item << "\" is missing under \"" << kHeadings[heading].text << '"';
        }
    }
}

TEST(AboutText, IsOneCp1250LineEndingWithTheVersionAfterARunOfSpaces) {
    const std::string_view about = kAboutText;
    EXPECT_EQ(about.find('\n'), std::string_view::npos);
    EXPECT_TRUE(utf8ToCp1250(about).ok);
    constexpr std::string_view kVersion = "verse 0.3";
    ASSERT_TRUE(about.ends_with(kVersion));
    const auto credit = about.substr(0, about.size() - kVersion.size());
    EXPECT_TRUE(credit.ends_with("  ")) << "a run of spaces before the version";
    EXPECT_NE(credit.find_first_not_of(' '), std::string_view::npos) << "a credit before it";
}

}  // namespace
}  // namespace dyx
