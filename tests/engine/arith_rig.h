// Flag set-up and checks shared by the arithmetic and logic tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "rig.h"

namespace orlan::test {

// Writes the Flags_Reg byte directly and lights the five flag lamps to match it.
inline void setFlags(Rig& r, uint8_t byte) {
    r.m.s.flags = byte;
    r.m.setLamp(Lamp::S, byte & 0x80);
    r.m.setLamp(Lamp::Z, byte & 0x40);
    r.m.setLamp(Lamp::AC, byte & 0x10);
    r.m.setLamp(Lamp::P, byte & 0x04);
    r.m.setLamp(Lamp::C, byte & 0x01);
}

struct FlagSet {
    bool s, z, ac, p, c;
};

// The Flags_Reg text expected for the given flags; positions 3, 5 and 7 come from `others`.
inline std::string flagsText(FlagSet f, uint8_t others) {
    auto digit = [](bool on) { return on ? '1' : '0'; };
    std::string t(8, '0');
    t[0] = digit(f.s);
    t[1] = digit(f.z);
    t[2] = digit(others & 0x20);
    t[3] = digit(f.ac);
    t[4] = digit(others & 0x08);
    t[5] = digit(f.p);
    t[6] = digit(others & 0x02);
    t[7] = digit(f.c);
    return t;
}

// Lamps and Flags_Reg text both show `f`; positions 3, 5, 7 of the text match `others`.
inline void expectFlags(const Rig& r, FlagSet f, uint8_t others) {
    EXPECT_EQ(r.m.lamp(Lamp::S), f.s) << "S";
    EXPECT_EQ(r.m.lamp(Lamp::Z), f.z) << "Z";
    EXPECT_EQ(r.m.lamp(Lamp::AC), f.ac) << "AC";
    EXPECT_EQ(r.m.lamp(Lamp::P), f.p) << "P";
    EXPECT_EQ(r.m.lamp(Lamp::C), f.c) << "C";
    EXPECT_EQ(r.text(Element::Flags_Reg), flagsText(f, others));
}

}  // namespace orlan::test
