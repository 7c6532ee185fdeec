// Timing diagram: the samples read back from the tact history, and the SVG drawn from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "History.h"
#include "Timing.h"
#include "rig.h"

namespace orlan::test {
namespace {

// MVI A,7Fh; OUT 00h; then NOPs.
void outProgram(Rig& r) { r.poke(0x0000, {0x3E, 0x7F, 0xD3, 0x00}); }

TEST(Timing, SamplesAreTheStatesAfterTheLastTactsOldestFirst) {
    struct Case {
        int tacts;        // executed
        size_t capacity;  // of the history
        size_t asked;
        size_t expected;  // samples, the current state included
    } cases[] = {
        {0, 100, 128, 1},     // nothing executed: only the machine now
        {5, 100, 128, 6},     // fewer tacts than asked: all of them plus the start
        {300, 1000, 128, 128},  // more than asked
        {300, 1000, 500, 128},  // never more than the diagram holds
        {300, 10, 128, 11},   // the ring dropped the older ones
        {30, 100, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tacts);
        Rig r;
        outProgram(r);
        History history(c.capacity);
        r.cpu.setHistory(&history);
        std::vector<TimingSample> after{timingSample(r.m.s)};
        for (int i = 0; i < c.tacts; ++i) {
            r.cpu.executeTact();
            after.push_back(timingSample(r.m.s));
        }
        const std::vector<TimingSample> samples = timingSamples(&history, r.m.s, c.asked);
        ASSERT_EQ(samples.size(), c.expected);
        const std::vector<TimingSample> newest(after.end() - static_cast<long>(c.expected), after.end());
        EXPECT_EQ(samples, newest);
    }
}

TEST(Timing, TheOutputCycleShowsThePortAndTheByteOnTheBuses) {
    Rig r;
    outProgram(r);
    History history;
    r.cpu.setHistory(&history);
    r.instruction();
    r.instruction();
    const std::vector<TimingSample> samples = timingSamples(&history, r.m.s);
    int writeTacts = 0;
    for (const TimingSample& s : samples)
        if (s.cycle == 3 && s.address == 0x0000 && s.data == 0x7F) ++writeTacts;
    EXPECT_GE(writeTacts, 1);
    // The operand fetches put the program's addresses and bytes on the buses.
    bool sawOperand = false;
    for (const TimingSample& s : samples) sawOperand |= s.address == 0x0003 && s.data == 0x00;
    EXPECT_TRUE(sawOperand);
}

// Open and close tags must nest; returns the first fault or "".
std::string nestingFault(const std::string& xml) {
    std::vector<std::string> open;
    for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
        const size_t end = xml.find('>', at);
        if (end == std::string::npos) return "unclosed tag";
        const std::string tag = xml.substr(at + 1, end - at - 1);
        if (tag.starts_with('?') || tag.ends_with('/')) continue;
        if (tag[0] != '/') {
            open.push_back(tag.substr(0, tag.find(' ')));
        } else {
            if (open.empty() || open.back() != tag.substr(1)) return "misnested </" + tag.substr(1) + ">";
            open.pop_back();
        }
    }
    return open.empty() ? "" : "unclosed <" + open.back() + ">";
}

TEST(Timing, SvgIsWellFormedWithOneTracePerLampAndTheBusValues) {
    Rig r;
    outProgram(r);
    History history;
    r.cpu.setHistory(&history);
    r.instruction();
    r.instruction();
    const std::vector<TimingSample> samples = timingSamples(&history, r.m.s);
    const std::string svg = timingSvg(samples);
    EXPECT_EQ(nestingFault(svg), "");
    EXPECT_EQ(svg.find("<svg "), svg.find('<', svg.find("?>")));
    for (std::string_view name : kLampNames) EXPECT_NE(svg.find(">" + std::string(name) + "<"), std::string::npos) << name;
    size_t traces = 0, marks = 0;
    for (size_t at = svg.find("<polyline"); at != std::string::npos; at = svg.find("<polyline", at + 1)) ++traces;
    for (size_t at = svg.find("class=\"now\""); at != std::string::npos; at = svg.find("class=\"now\"", at + 1)) ++marks;
    EXPECT_EQ(traces, static_cast<size_t>(kLampCount));
    EXPECT_EQ(marks, 1u);
    EXPECT_NE(svg.find(">7F<"), std::string::npos);  // the byte sent
    EXPECT_EQ(nestingFault(timingSvg({})), "");
}

}  // namespace
}  // namespace orlan::test
