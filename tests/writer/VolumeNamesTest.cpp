// The volume name sequences of both schemes, and the names a whole set gets.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/rarwrite/VolumeNames.h"

namespace {

using rarwrite::Naming;

struct NextCase {
    Naming naming;
    const char* current;
    const char* next;
};

TEST(VolumeNames, NextNameInBothSchemes) {
    const std::vector<NextCase> cases = {
        {Naming::OldStyle, "x.rar", "x.r00"},
        {Naming::OldStyle, "x.r00", "x.r01"},
        {Naming::OldStyle, "x.r09", "x.r10"},
        {Naming::OldStyle, "x.r99", "x.s00"},
        {Naming::OldStyle, "x.s41", "x.s42"},
        {Naming::OldStyle, "X.RAR", "X.R00"},
        {Naming::OldStyle, "dir.v2/x.rar", "dir.v2/x.r00"},
        {Naming::Parts, "x.part1.rar", "x.part2.rar"},
        {Naming::Parts, "x.part9.rar", "x.part10.rar"},
        {Naming::Parts, "x.part09.rar", "x.part10.rar"},
        {Naming::Parts, "x.part010.rar", "x.part011.rar"},
        {Naming::Parts, "x.part99.rar", "x.part100.rar"},
        {Naming::Parts, "v2/a1b.part3.rar", "v2/a1b.part4.rar"},
    };
    for (const NextCase& c : cases) {
        EXPECT_EQ(c.next, rarwrite::NextVolumeName(c.current, c.naming)) << c.current;
    }
}

TEST(VolumeNames, NamesWithoutRoomForANumberAreRefused) {
    const std::vector<NextCase> cases = {
        {Naming::OldStyle, "x.txt", ""},   // not .rar nor .rNN
        {Naming::OldStyle, "x.rarx", ""},  // 4-letter extension
        {Naming::OldStyle, "x", ""},
        {Naming::OldStyle, "x.z99", ""},    // the scheme is exhausted
        {Naming::Parts, "x.rar", ""},       // no digits in the file name
        {Naming::Parts, "dir9/x.rar", ""},  // digits of the folder do not count
    };
    for (const NextCase& c : cases) {
        EXPECT_THROW(rarwrite::NextVolumeName(c.current, c.naming), std::runtime_error)
            << c.current;
    }
}

struct SetCase {
    const char* first;
    size_t count;
    Naming naming;
    int digits;
    std::vector<std::string> expected;  // first few names, then the last one
};

TEST(VolumeNames, PathsOfAWholeSet) {
    const std::vector<SetCase> cases = {
        {"d/x.rar", 1, Naming::Parts, 2, {"d/x.rar"}},  // one volume keeps its name
        {"d/x.rar", 3, Naming::Parts, 2, {"d/x.part01.rar", "d/x.part02.rar", "d/x.part03.rar"}},
        {"d/x.rar", 3, Naming::Parts, 1, {"d/x.part1.rar", "d/x.part2.rar", "d/x.part3.rar"}},
        {"d/x.part1.rar", 2, Naming::Parts, 3, {"d/x.part1.rar", "d/x.part2.rar"}},
        {"d/x.rar", 3, Naming::OldStyle, 1, {"d/x.rar", "d/x.r00", "d/x.r01"}},
    };
    for (const SetCase& c : cases) {
        EXPECT_EQ(c.expected, rarwrite::VolumePaths(c.first, c.count, c.naming, c.digits))
            << c.first << " x" << c.count;
    }
    const std::vector<std::string> old = rarwrite::VolumePaths("x.rar", 102, Naming::OldStyle, 1);
    EXPECT_EQ("x.r99", old[100]);
    EXPECT_EQ("x.s00", old[101]);
    const std::vector<std::string> parts = rarwrite::VolumePaths("x.rar", 11, Naming::Parts, 1);
    EXPECT_EQ("x.part9.rar", parts[8]);
    EXPECT_EQ("x.part10.rar", parts[9]);
    const std::vector<std::string> padded = rarwrite::VolumePaths("x.rar", 10, Naming::Parts, 2);
    EXPECT_EQ("x.part09.rar", padded[8]);
    EXPECT_EQ("x.part10.rar", padded[9]);
}

}  // namespace
