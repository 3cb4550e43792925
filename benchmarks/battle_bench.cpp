// battle_bench: what one frame of the largest dialog battle (15 + 15 ships at 1920 x 1080)
// costs on this machine: the simulation pass, the composition on the software display with
// each background, and for scale one plain copy of the whole frame; also the worst tick, on
// a screen too crowded to place every ship, where waiting ships use up their tries. Figures only.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "assets/sprite_art.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/frame_composer.h"
#include "graphics/soft_display.h"

namespace {

constexpr int32_t kWidth = 1920, kHeight = 1080;

using Clock = std::chrono::steady_clock;

template <class Body>
double MicrosecondsPerRun(int runs, Body body) {
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) body();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / runs;
}

void LoadPictures(graphics::SoftDisplay& display) {
    for (const assets::Sprite& sprite : assets::ArtSprites()) display.SetSurface(sprite.surfaceId, sprite.picture);
    platform::Picture desktop = platform::Picture::Filled(kWidth, kHeight, 0);
    for (size_t i = 0; i < desktop.pixels.size(); ++i) desktop.pixels[i] = graphics::PixelValue(i * 2654435761u) & 0xFFFFFF;
    display.SetSurface(graphics::kBackgroundSurface, desktop);
}

}  // namespace

int main() {
    const battle::Measurements m = battle::MeasurementsFor(kWidth, kHeight, 15, 15);
    battle::Battle b = battle::SetUpBattle({15, 15, settings::kDesktop}, m);
    platform::Random random(20240601);
    for (int i = 0; i < 200; ++i) battle::StepShips(b, random);  // past the first placements

    const int ticks = 20000;
    const double simulation = MicrosecondsPerRun(ticks, [&] { battle::StepShips(b, random); });

    graphics::SoftDisplay display(kWidth, kHeight);
    LoadPictures(display);
    int visible = 0;
    for (int k = 1; k <= b.totalCount; ++k) visible += b.shipStat[k].mode > battle::kPlacing;

    const int frames = 300;
    b.background = battle::BackgroundSource::kSnapshot;
    const double desktopFrame = MicrosecondsPerRun(frames, [&] { battle::ComposeFrame(b, display); });
    b.background = battle::BackgroundSource::kSea;
    b.seaColor = int32_t(graphics::SoftDisplay::ColorToSurfacePixel(battle::kSeaGdiColor));
    const double seaFrame = MicrosecondsPerRun(frames, [&] { battle::ComposeFrame(b, display); });

    // 30 + 30 ships on 640 x 480: some never find a free spot and try kPlacementAttempts
    // spots in every tick.
    const battle::Measurements small = battle::MeasurementsFor(640, 480, 15, 15);
    battle::Battle crowded = battle::SetUpBattle({30, 30, settings::kPlainBlue}, small);
    platform::Random crowdedRandom(5);
    const int crowdedTicks = 20;
    const double crowdedTick = MicrosecondsPerRun(crowdedTicks, [&] { battle::StepShips(crowded, crowdedRandom); });
    int waiting = 0;
    for (int k = 1; k <= crowded.totalCount; ++k) waiting += crowded.shipStat[k].mode == battle::kPlacing;

    std::vector<graphics::PixelValue> copy(display.BackBuffer().pixels.size());
    volatile graphics::PixelValue sink = 0;  // keeps the copies from being optimised away
    const double plainCopy = MicrosecondsPerRun(frames, [&] {
        std::memcpy(copy.data(), display.BackBuffer().pixels.data(), copy.size() * sizeof(copy[0]));
        sink = sink + copy[copy.size() / 2];
    });

    std::printf("battle at %dx%d, %d + %d ships (%d visible in the last frame)\n", kWidth, kHeight, b.redCount,
                b.blueCount, visible);
    std::printf("  simulation pass           %10.2f us per tick (%d ticks)\n", simulation, ticks);
    std::printf("  composition, desktop      %10.2f us per frame (%d frames)\n", desktopFrame, frames);
    std::printf("  composition, plain sea    %10.2f us per frame\n", seaFrame);
    std::printf("  one plain copy of a frame %10.2f us (memcpy of %zu bytes)\n", plainCopy,
                copy.size() * sizeof(copy[0]));
    std::printf("  crowded tick, 640x480     %10.2f us per tick (30 + 30 ships, %d waiting, %d ticks)\n",
                crowdedTick, waiting, crowdedTicks);
    std::printf("  frame timer interval      %10.2f us\n", 150000.0);
    return 0;
}
