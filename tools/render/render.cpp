// render: plays N ticks of a seeded battle at a given screen size on the software display,
// with the saver's own pictures, and writes the frame on screen after the last tick as a
// binary PPM. Usage: render [--width 1024] [--height 768] [--red 5] [--blue 5] [--ticks 40]
//                           [--seed 1] [--background sea|desktop|black] --out frame.ppm
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "assets/sprite_art.h"
#include "battle/battle_state.h"
#include "battle/battle_tick.h"
#include "battle/frame_composer.h"
#include "battle/startup_plan.h"
#include "graphics/soft_display.h"
#include "platform/runtime_error.h"

namespace {

struct Options {
    int32_t width = 1024, height = 768;
    int16_t red = 5, blue = 5;
    long ticks = 40;
    uint64_t seed = 1;
    settings::BackgroundMode background = settings::kPlainBlue;
    std::string out;
};

[[noreturn]] void Usage(const std::string& problem) {
    std::cerr << "render: " << problem << "\n"
              << "usage: render [--width W] [--height H] [--red R] [--blue B] [--ticks N] [--seed S]\n"
              << "              [--background sea|desktop|black] --out FILE.ppm\n";
    std::exit(2);
}

long Number(const std::string& text, long low, long high, const std::string& what) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) Usage("bad " + what + ": " + text);
    return v;
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) Usage("missing value after " + flag);
        const std::string value = argv[++i];
        if (flag == "--width") o.width = int32_t(Number(value, 200, 8192, "width"));
        else if (flag == "--height") o.height = int32_t(Number(value, 100, 8192, "height"));
        else if (flag == "--red") o.red = int16_t(Number(value, 0, battle::kMaxFleetSize, "red count"));
        else if (flag == "--blue") o.blue = int16_t(Number(value, 0, battle::kMaxFleetSize, "blue count"));
        else if (flag == "--ticks") o.ticks = Number(value, 1, 100000000, "tick count");
        else if (flag == "--seed") o.seed = uint64_t(Number(value, 0, 2147483647, "seed"));
        else if (flag == "--out") o.out = value;
        else if (flag == "--background") {
            if (value == "desktop") o.background = settings::kDesktop;
            else if (value == "sea") o.background = settings::kPlainBlue;
            else if (value == "black") o.background = settings::BackgroundMode{2};
            else Usage("bad background: " + value);
        } else Usage("unknown option " + flag);
    }
    if (o.out.empty()) Usage("no --out file");
    return o;
}

// A stand-in desktop: a teal wallpaper with a grey window and a task bar, so the desktop
// mode can be shown without a real screen to copy.
platform::Picture StandInDesktop(int32_t w, int32_t h) {
    platform::Picture picture = platform::Picture::Filled(w, h, 0);
    std::vector<graphics::PixelValue>& p = picture.pixels;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            graphics::PixelValue c = 0x008080 + ((uint32_t(y) * 48 / uint32_t(h)) << 8);
            if (x > w / 5 && x < w * 3 / 5 && y > h / 6 && y < h / 2) c = y < h / 6 + 22 ? 0x000080 : 0xC0C0C0;
            if (y >= h - 30) c = 0xC0C0C0;
            p[size_t(y) * size_t(w) + size_t(x)] = c;
        }
    }
    return picture;
}

void WritePpm(const std::string& path, const graphics::SoftSurface& frame) {
    std::ofstream f(path, std::ios::binary);
    f << "P6\n" << frame.width << " " << frame.height << "\n255\n";
    for (graphics::PixelValue p : frame.pixels) {
        const char rgb[3] = {char((p >> 16) & 0xFF), char((p >> 8) & 0xFF), char(p & 0xFF)};
        f.write(rgb, 3);
    }
    if (!f) {
        std::cerr << "render: cannot write " << path << "\n";
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = Parse(argc, argv);
    try {
        // One 96-dpi screen of the given size, set up as the saver sets up each of its screens.
        battle::StartupFacts facts;
        facts.settings = {o.red, o.blue, o.background};
        facts.screenWidth = o.width;
        facts.screenHeight = o.height;
        const battle::ScreenPlan screen = battle::PlanScreens(facts).front();
        graphics::SoftDisplay display(o.width, o.height);
        battle::Battle b = battle::SetUpScreen(screen, facts.settings, StandInDesktop(o.width, o.height),
                                               assets::ArtSprites(), display);

        platform::Random random(o.seed);
        for (long tick = 0; tick < o.ticks; ++tick) {
            battle::StepShips(b, random);
            battle::ComposeFrame(b, display);
        }
        WritePpm(o.out, display.FrontBuffer());
    } catch (const platform::RuntimeError& e) {
        std::cerr << "render: run-time error " << e.ErrorNumber() << ": " << e.Description() << "\n";
        return 1;
    }
    return 0;
}
