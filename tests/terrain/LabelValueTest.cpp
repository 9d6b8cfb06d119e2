// A label's value is what the C library's atof reads from it, on the texts labels are made
// of and on others.
#include "terrain/LabelValue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

using dh::terrain::labelValue;

TEST(LabelValue, ReadsWhatAtofReads)
{
    for (const char* text : {"123.45", "-5.30", "+12.5", "12.", ".5", "-.5", "1.2.3", "12.-5",
                             "+.5", "", ".", "-", "+", "007.10", " 12", "1e3", "0x1p3", "12a",
                             "99999999999999999999999999999999999999999999999999999999999999999999"
                             "999999999999999999999999999999999999999999999999999999999999999999999"
                             "999999999999999999999999999999999999999999999999999999999999999999999"
                             "99999999999999999999999999999999999999999999999999999999999999999.5"})
        EXPECT_EQ(labelValue(text), std::atof(text)) << text;
    EXPECT_EQ(labelValue(nullptr), 0.0);

    // Every text of signs, digits and points up to 12 characters, drawn at random.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> pick(0, 12);
    const char alphabet[] = "0123456789.-+";
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[pick(random)];
        ASSERT_EQ(labelValue(text.c_str()), std::atof(text.c_str())) << text;
    }
}

} // namespace
