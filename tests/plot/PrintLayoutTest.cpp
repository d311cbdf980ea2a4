// Where the page goes on a printed sheet, for printing and for the preview.

#include "plot/PrintLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintLayout, PrintableSizeRoundsDownTo32AndThePlotTakesTheUpperHalf)
{
    struct Row {
        int width, height;
        bool preview;
        PrintLayout layout;
    };
    const Row rows[] = {
        // A4 at 300 dpi with 1/6 inch margins: 2380 x 3408 printable.
        {2380, 3408, false, {2368, 1696, 1, 2368, 1696}},
        {2380, 3408, true, {592, 424, 4, 2368, 1696}},
        {2400, 3232, false, {2400, 1616, 1, 2400, 1616}},  // already multiples of 32
        {2431, 3263, false, {2400, 1616, 1, 2400, 1616}},  // one short of the next
        {2432, 3264, false, {2432, 1632, 1, 2432, 1632}},
        {31, 31, false, {0, 0, 1, 0, 0}},
        {0, -5, true, {0, 0, 4, 0, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PrintLayoutFor(row.width, row.height, row.preview), row.layout)
            << row.width << "x" << row.height << (row.preview ? " preview" : "");
}

}  // namespace
