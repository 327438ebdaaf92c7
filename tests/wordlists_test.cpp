#include "words/wordlists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace dyx {
namespace {

template <std::size_t N>
std::size_t longest(const std::array<std::string_view, N>& list) {
    std::size_t best = 0;
    for (auto w : list) best = std::max(best, w.size());
    return best;
}

template <std::size_t N>
std::size_t shortest(const std::array<std::string_view, N>& list) {
    std::size_t best = SIZE_MAX;
    for (auto w : list) if (!w.empty()) best = std::min(best, w.size());
    return best;
}

template <std::size_t N>
std::map<std::string_view, int> occurrences(const std::array<std::string_view, N>& list) {
    std::map<std::string_view, int> counts;
    for (auto w : list) ++counts[w];
    return counts;
}

TEST(WordLists, SizesAndLengthsOfTheNonEmptyEntries) {
    EXPECT_EQ(EverydayWords.size(), 131u);
    EXPECT_EQ(TownWords.size(), 71u);
    EXPECT_EQ(NameWords.size(), 131u);
    EXPECT_EQ(ComputerWords.size(), 71u);
    EXPECT_EQ(ProverbWords.size(), 39u);
    EXPECT_EQ(FaunaFloraWords.size(), 71u);

    EXPECT_EQ(EverydayWords[21], "NEJNEOBHOSPODAŘOVÁVATELNĚJŠÍMI"_cp);
    EXPECT_EQ(longest(EverydayWords), 30u);
    EXPECT_EQ(shortest(EverydayWords), 3u);
    EXPECT_EQ(longest(TownWords), 19u);
    EXPECT_EQ(shortest(TownWords), 2u);
    EXPECT_EQ(longest(NameWords), 12u);
    EXPECT_EQ(longest(ComputerWords), 18u);
    EXPECT_EQ(shortest(ComputerWords), 2u);
    EXPECT_EQ(longest(ProverbWords), 36u);
    EXPECT_EQ(shortest(ProverbWords), 11u);
    EXPECT_EQ(longest(FaunaFloraWords), 11u);
}

TEST(WordLists, OnlyTheLastFiveTownsAreEmpty) {
    for (std::size_t i = 0; i < TownWords.size(); ++i) {
        EXPECT_EQ(TownWords[i].empty(), i >= 66) << i;
    }
    for (auto w : EverydayWords) EXPECT_FALSE(w.empty());
    for (auto w : NameWords) EXPECT_FALSE(w.empty());
}

TEST(WordLists, RepeatedEntriesStandTwice) {
    EXPECT_EQ(occurrences(EverydayWords)["PÍSEŇ"_cp], 2);
    EXPECT_EQ(EverydayWords[10], EverydayWords[59]);
    EXPECT_EQ(occurrences(EverydayWords)["KALENDÁŘ"_cp], 2);
    EXPECT_EQ(occurrences(TownWords)["KARLOVY VARY"_cp], 2);
    EXPECT_EQ(occurrences(TownWords)["VÍDEŇ"_cp], 2);
    EXPECT_EQ(occurrences(NameWords)["IGNÁC"_cp], 2);
    EXPECT_EQ(NameWords[118], "MICHAL"_cp);
    EXPECT_EQ(NameWords[123], "MICHAL"_cp);
    EXPECT_EQ(ProverbWords[13], ProverbWords[21]);
}

TEST(WordLists, TheRingedUIsLowerCaseAndEveryCharacterCanBeGuessed) {
    // Capitals, the Czech capitals, the lower-case ů, space, comma and hyphen: nothing else.
    const std::string allowed = std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ ,-") +
                                std::string("ÁÉÍÚÝČĎĚŇŘŠŤŽů"_cp);
    const auto check = [&](auto const& words) {
        for (auto w : words) {
            EXPECT_EQ(w.find_first_not_of(allowed), std::string_view::npos) << w;
        }
    };
    check(EverydayWords);
    check(TownWords);
    check(NameWords);
    check(ComputerWords);
    check(ProverbWords);
    check(FaunaFloraWords);
    EXPECT_EQ(EverydayWords[22], "D\xF9M");
}

}  // namespace
}  // namespace dyx
