#pragma once
// CustomWords and CustomWordCount: the words of the most recently loaded word-list file.
//
// The table holds at most CustomWordCapacity entries. A new load starts the count again at 0 and
// overwrites entries from the front; entries at and beyond the count keep what an earlier load
// left there. That matters only for an empty file: with a count of 0 the round setup draws entry
// 0, which is then the first line of the last load that had one (or the empty word).
// Storage grows with the longest load and is never given back, so an unused table costs nothing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dyx {

inline constexpr std::size_t CustomWordCapacity = 30001;

class CustomWordTable {
public:
    // CustomWordCount.
    std::size_t count() const { return m_count; }

    // Entry i (0 <= i < CustomWordCapacity); an entry that no load has written is empty, and so is
    // any index at or past the capacity.
    std::string_view entry(std::size_t i) const {
        return i < m_entries.size() ? std::string_view(m_entries[i]) : std::string_view();
    }

    // Starts a new load: the count goes back to 0, the entries stay. The count it had is kept
    // until the next append, so that a load which is refused can hand the player the previous
    // list back with restoreCount().
    void resetCount() {
        m_countBeforeReset = m_count;
        m_count = 0;
    }

    // Undoes the last resetCount() when nothing has been appended since: the count it cleared
    // comes back, and with it the list, whose entries a load without appends has not touched.
    // Does nothing when there is no such reset to undo.
    void restoreCount() {
        if (m_countBeforeReset) {
            m_count = *m_countBeforeReset;
            m_countBeforeReset.reset();
        }
    }

    // Stores the next line of a load at index count() and adds 1 to the count. Returns false,
    // storing nothing, when the table is full; it never writes past CustomWordCapacity entries.
    bool append(std::string word) {
        if (m_count >= CustomWordCapacity) {
            return false;
        }
        m_countBeforeReset.reset();
        if (m_count < m_entries.size()) {
            m_entries[m_count] = std::move(word);
        } else {
            m_entries.push_back(std::move(word));
        }
        ++m_count;
        return true;
    }

private:
    std::vector<std::string> m_entries;
    std::size_t m_count = 0;
    std::optional<std::size_t> m_countBeforeReset;
};

}  // namespace dyx
