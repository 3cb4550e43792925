// artgen: writes the picture files of the saver from the compiled-in art, and contact sheets
// that show every picture enlarged on white and on the plain-blue sea, for reviewing edits.
//   artgen <outdir>                    ship01.bmp ... ship16.bmp, explosion.bmp, preview.bmp,
//                                      brackmer.ico, invisible.cur
//   artgen --contact-sheet <file.ppm>  (convert to PNG with ImageMagick to view)
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "assets/image_codecs.h"
#include "assets/sprite_art.h"

namespace {

namespace fs = std::filesystem;
using assets::Picture;

constexpr uint32_t kPlainSea = assets::Rgb(0, 0, 170);  // the saver's plain-blue background
constexpr uint32_t kSheetGrey = assets::Rgb(80, 80, 80);
constexpr int kScale = 3;
constexpr int kGap = 8;

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteAll(const fs::path& dir) {
    fs::create_directories(dir);
    for (int n = 1; n <= assets::kShipPictureCount; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "ship%02d.bmp", n);
        WriteFile(dir / name, assets::EncodeBmp24(assets::ShipPicture(n)));
    }
    WriteFile(dir / "explosion.bmp", assets::EncodeBmp8(assets::ExplosionPicture()));
    WriteFile(dir / "preview.bmp", assets::EncodeBmp8(assets::PreviewPicture()));
    WriteFile(dir / "brackmer.ico",
              assets::EncodeIco16(assets::IconPicture(), assets::kIconTransparent));
    WriteFile(dir / "invisible.cur", assets::EncodeTransparentCursor());
}

// Draws `picture` enlarged at (left, top), leaving out its `key` colour as the saver's blits
// do with white; the preview has no key.
void Blit(Picture& sheet, const Picture& picture, int left, int top, int scale,
          std::optional<uint32_t> key = assets::kWhite) {
    for (int y = 0; y < picture.height * scale; ++y) {
        for (int x = 0; x < picture.width * scale; ++x) {
            uint32_t c = picture.At(x / scale, y / scale);
            if (c != key) sheet.At(left + x, top + y) = c;
        }
    }
}

void Fill(Picture& sheet, int left, int top, int width, int height, uint32_t colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) sheet.At(x, y) = colour;
    }
}

// One row per ship picture, then the explosion alone and over pictures 1 and 11 (as an
// exploding ship is drawn), then the preview and the icon, enlarged and at their real size.
Picture ContactSheet() {
    std::vector<std::vector<Picture>> rows;
    for (int n = 1; n <= assets::kShipPictureCount; ++n) rows.push_back({assets::ShipPicture(n)});
    const Picture explosion = assets::ExplosionPicture();
    rows.push_back({explosion});
    rows.push_back({assets::ShipPicture(1), explosion});
    rows.push_back({assets::ShipPicture(11), explosion});

    const int cellW = assets::kPictureWidth * kScale;
    const int cellH = assets::kPictureHeight * kScale;
    const Picture preview = assets::PreviewPicture();
    const Picture icon = assets::IconPicture();
    const int width = kGap + 2 * (cellW + kGap);
    const int height = kGap + int(rows.size()) * (cellH + kGap) + preview.height * kScale + kGap;
    Picture sheet = Picture::Filled(width, height, kSheetGrey);

    int top = kGap;
    for (const auto& layers : rows) {
        const uint32_t backgrounds[] = {assets::kWhite, kPlainSea};
        for (int column = 0; column < 2; ++column) {
            const int left = kGap + column * (cellW + kGap);
            Fill(sheet, left, top, cellW, cellH, backgrounds[column]);
            for (const Picture& layer : layers) Blit(sheet, layer, left, top, kScale);
        }
        top += cellH + kGap;
    }
    Blit(sheet, preview, kGap, top, kScale, std::nullopt);
    const int iconLeft = kGap + preview.width * kScale + kGap;
    Blit(sheet, icon, iconLeft, top, kScale, assets::kIconTransparent);
    Blit(sheet, icon, iconLeft, top + icon.height * kScale + kGap, 1, assets::kIconTransparent);
    Blit(sheet, preview, iconLeft, top + icon.height * (kScale + 1) + 2 * kGap, 1, std::nullopt);
    return sheet;
}

int Usage() {
    std::fputs("usage: artgen <outdir>\n       artgen --contact-sheet <file.ppm>\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string(argv[1]).rfind("--", 0) != 0) {
            WriteAll(argv[1]);
            return 0;
        }
        if (argc == 3 && std::string(argv[1]) == "--contact-sheet") {
            WriteFile(argv[2], assets::EncodePpm(ContactSheet()));
            return 0;
        }
        return Usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
}
