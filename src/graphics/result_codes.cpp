// The result-code names and the lost-display rule; see result_codes.h. The values are those
// of ddraw.h, which the portable build cannot include; a Windows-side test holds the two
// together.
#include "graphics/result_codes.h"

#include <cstdio>

namespace graphics {
namespace {

struct ResultName {
    uint32_t code;
    const char* name;
};

constexpr ResultName kNames[] = {
    {kSurfaceLost, "DDERR_SURFACELOST"},
    {DDrawResult(430), "DDERR_SURFACEBUSY"},
    {DDrawResult(540), "DDERR_WASSTILLDRAWING"},
    {0x80070057u, "DDERR_INVALIDPARAMS"},
    {DDrawResult(130), "DDERR_INVALIDOBJECT"},
    {DDrawResult(150), "DDERR_INVALIDRECT"},
    {DDrawResult(100), "DDERR_INVALIDCAPS"},
    {DDrawResult(120), "DDERR_INVALIDMODE"},
    {DDrawResult(145), "DDERR_INVALIDPIXELFORMAT"},
    {DDrawResult(592), "DDERR_INVALIDSURFACETYPE"},
    {DDrawResult(590), "DDERR_UNSUPPORTEDMODE"},
    {0x80004001u, "DDERR_UNSUPPORTED"},
    {0x8007000Eu, "DDERR_OUTOFMEMORY"},
    {DDrawResult(380), "DDERR_OUTOFVIDEOMEMORY"},
    {kNoExclusiveMode, "DDERR_NOEXCLUSIVEMODE"},
    {kExclusiveModeAlreadySet, "DDERR_EXCLUSIVEMODEALREADYSET"},
    {kNoDirectDrawHardware, "DDERR_NODIRECTDRAWHW"},
    {DDrawResult(212), "DDERR_NOCOOPERATIVELEVELSET"},
    {DDrawResult(571), "DDERR_HWNDALREADYSET"},
    {DDrawResult(570), "DDERR_HWNDSUBCLASSED"},
    {kWrongMode, "DDERR_WRONGMODE"},
    {DDrawResult(564), "DDERR_PRIMARYSURFACEALREADYEXISTS"},
    {DDrawResult(582), "DDERR_NOTFLIPPABLE"},
    {DDrawResult(255), "DDERR_NOTFOUND"},
    {DDrawResult(584), "DDERR_NOTLOCKED"},
    {DDrawResult(435), "DDERR_CANTLOCKSURFACE"},
    {DDrawResult(586), "DDERR_NODC"},
    {DDrawResult(620), "DDERR_DCALREADYCREATED"},
    {DDrawResult(585), "DDERR_CANTCREATEDC"},
    {DDrawResult(575), "DDERR_NOBLTHW"},
    {0x800401F0u, "DDERR_NOTINITIALIZED"},
    {DDrawResult(95), "DDERR_INCOMPATIBLEPRIMARY"},
    {0x80004005u, "DDERR_GENERIC"},
};

}  // namespace

std::string DescribeResult(uint32_t result) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(result));
    for (const ResultName& n : kNames)
        if (n.code == result) return std::string(n.name) + " (" + hex + ")";
    return hex;
}

bool IsDisplayLost(uint32_t result) { return result == kSurfaceLost || result == kNoExclusiveMode; }

std::string SetupFailure::Describe() const { return call + " failed: " + DescribeResult(result); }

}  // namespace graphics
