// Plays an instruction one tact at a time against the rows of its tact table. A row names the
// elements it turns red and green, the texts it sets and the memory cells it writes; every
// highlight the row does not name must stay as it was, and no other cell may be written.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "rig.h"

namespace orlan::test::rows {

struct TactRow {
    int tact;
    ElementSet red = 0;
    ElementSet green = 0;
    std::vector<std::pair<Element, std::string>> texts = {};
    std::vector<MemoryWrite> writes = {};
};

inline std::string names(ElementSet set) {
    std::string out;
    for (int i = 0; i < kElementCount; ++i)
        if (set & (ElementSet{1} << i)) out += std::string(kElementNames[i]) + " ";
    return out;
}

inline std::string writesText(const std::vector<MemoryWrite>& writes) {
    std::string out;
    char buf[16];
    for (const MemoryWrite& w : writes) {
        std::snprintf(buf, sizeof buf, "%04X=%02X ", unsigned{w.address}, unsigned{w.value});
        out += buf;
    }
    return out;
}

// Plays one tact and checks it against the row; `last` says the instruction must end here.
inline void playRow(Rig& r, const TactRow& row, bool last) {
    SCOPED_TRACE("tact " + std::to_string(row.tact));
    std::vector<MemoryWrite> log;
    r.m.writeLog = &log;
    const ElementSet before = r.m.s.active;
    r.cpu.executeTact();
    r.m.writeLog = nullptr;
    const ElementSet expected = (before & ~row.green) | row.red;
    EXPECT_EQ(names(r.m.s.active & ~expected), "") << "red, expected green";
    EXPECT_EQ(names(expected & ~r.m.s.active), "") << "green, expected red";
    EXPECT_EQ(r.text(Element::Time_Num), std::to_string(row.tact));
    for (const auto& [e, t] : row.texts) EXPECT_EQ(r.text(e), t) << elementName(e);
    EXPECT_EQ(writesText(log), writesText(row.writes));
    EXPECT_EQ(r.cpu.instructionInProgress(), !last);
}

inline void playRows(Rig& r, const std::vector<TactRow>& rows, bool endsAfterLast = true) {
    for (size_t i = 0; i < rows.size(); ++i) playRow(r, rows[i], endsAfterLast && i + 1 == rows.size());
}

// Puts the instruction's bytes at `at`, points PC there and plays the fetch (tacts 1 to 3).
inline void fetchAt(Rig& r, uint16_t at, std::initializer_list<uint8_t> bytes) {
    r.poke(at, bytes);
    r.m.movePC(at);
    r.tacts(3);
}

}  // namespace orlan::test::rows
