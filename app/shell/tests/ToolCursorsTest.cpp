#include "ToolCursors.h"

#include <gtest/gtest.h>

namespace {

struct CursorCase {
    std::uint32_t mode;
    int cursor;
};

TEST(ToolCursorsTest, EachToolModeShowsItsCursor) {
    for (const CursorCase& c :
         {CursorCase{0x1001, 166}, {0x1002, 163},          {0x1004, 167},         {0x1008, 171},
          {0x2001, 168},           {0x2002, 178},          {0x2004, 179},         {0x2008, 169},
          {0x2010, 177},           {0x2020, 180},          {0x2040, 101},         {0x4001, kArrowCursor},
          {0x4020, 173},           {0x4002, 174},          {0x4200, 174},         {0x4004, 175},
          {0x4100, 175},           {0x4008, 176},          {0x4080, 176},         {0x4010, 172},
          {0x4040, 172},           {0x4400, 165},          {0x8001, 104},         {0x10002, kArrowCursor},
          {0x10004, kArrowCursor}, {0x1010, kArrowCursor}, {0x2080, kArrowCursor}}) {
        EXPECT_EQ(CursorResourceForMode(c.mode), c.cursor) << std::hex << c.mode;
    }
}

}  // namespace
