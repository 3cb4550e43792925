// Result codes in error texts (the name with the number, or the number alone) and the set-up
// failure's log line. Which codes mean the user took the screen back is the session's test.
#include "graphics/result_codes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

namespace graphics {
namespace {

// A known code's text in full is the set-up failure's line here; every other name, the table
// below.
TEST(DescribeResult, NamesKnownCodesWithTheirNumberAndPrintsOthersInHex) {
    EXPECT_EQ(DescribeResult(0x887601C1u), "0x887601C1");  // one below DDERR_SURFACELOST: not a name of ours
    EXPECT_EQ(DescribeResult(0), "0x00000000");
    EXPECT_EQ((SetupFailure{"DirectDrawCreateEx", 0x88760233u}).Describe(),
              "DirectDrawCreateEx failed: DDERR_NODIRECTDRAWHW (0x88760233)");
}

// Every name with the value ddraw.h gives it: a log line naming the wrong error sends whoever
// reads it the wrong way.
TEST(DescribeResult, EachNameIsTheOneDDrawHeaderGivesItsValue) {
    const std::pair<const char*, uint32_t> kDocumented[] = {
        {"DDERR_SURFACELOST", 0x887601C2u}, {"DDERR_SURFACEBUSY", 0x887601AEu}, {"DDERR_WASSTILLDRAWING", 0x8876021Cu},
        {"DDERR_INVALIDPARAMS", 0x80070057u}, {"DDERR_INVALIDOBJECT", 0x88760082u}, {"DDERR_INVALIDRECT", 0x88760096u},
        {"DDERR_INVALIDCAPS", 0x88760064u}, {"DDERR_INVALIDMODE", 0x88760078u}, {"DDERR_INVALIDPIXELFORMAT", 0x88760091u},
        {"DDERR_INVALIDSURFACETYPE", 0x88760250u}, {"DDERR_UNSUPPORTEDMODE", 0x8876024Eu}, {"DDERR_UNSUPPORTED", 0x80004001u},
        {"DDERR_OUTOFMEMORY", 0x8007000Eu}, {"DDERR_OUTOFVIDEOMEMORY", 0x8876017Cu}, {"DDERR_NOEXCLUSIVEMODE", 0x887600E1u},
        {"DDERR_EXCLUSIVEMODEALREADYSET", 0x88760245u}, {"DDERR_NODIRECTDRAWHW", 0x88760233u}, {"DDERR_NOCOOPERATIVELEVELSET", 0x887600D4u},
        {"DDERR_HWNDALREADYSET", 0x8876023Bu}, {"DDERR_HWNDSUBCLASSED", 0x8876023Au}, {"DDERR_WRONGMODE", 0x8876024Bu},
        {"DDERR_PRIMARYSURFACEALREADYEXISTS", 0x88760234u}, {"DDERR_NOTFLIPPABLE", 0x88760246u}, {"DDERR_NOTFOUND", 0x887600FFu},
        {"DDERR_NOTLOCKED", 0x88760248u}, {"DDERR_CANTLOCKSURFACE", 0x887601B3u}, {"DDERR_NODC", 0x8876024Au},
        {"DDERR_DCALREADYCREATED", 0x8876026Cu}, {"DDERR_CANTCREATEDC", 0x88760249u}, {"DDERR_NOBLTHW", 0x8876023Fu},
        {"DDERR_NOTINITIALIZED", 0x800401F0u}, {"DDERR_INCOMPATIBLEPRIMARY", 0x8876005Fu}, {"DDERR_GENERIC", 0x80004005u},
    };
    for (const auto& [name, value] : kDocumented) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value));
        EXPECT_EQ(DescribeResult(value), std::string(name) + " (" + hex + ")");
    }
}

}  // namespace
}  // namespace graphics
