// The wallpaper read's rules with facts and decoders of the tests' own: which picture each
// monitor shows, the files it tries, the decode budget at its exact bound, one decode per
// file however many monitors show it, and the hand-out to screens as a sequence of events.
#include "desktop/wallpaper_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace desktop {
namespace {

using platform::Rect;

constexpr Rect kLeft{0, 0, 4, 2}, kRight{4, 0, 4, 2}, kBelow{0, 2, 6, 2};

TEST(WallpaperRead, EachMonitorsPictureByWhatWindowsRecords) {
    const struct {
        const char* name;
        RecordedPictures facts;
        std::vector<std::wstring> expected;
    } cases[] = {
        {"ShellAnswers", {L"s", {L"a", L"b"}, {L"r0", L"r1"}}, {L"a", L"b"}},
        {"ShellSilentOneRecordedForAll", {L"s", {L"", L""}, {L"r"}}, {L"r", L"r"}},
        {"ShellSilentOneRecordedEach", {L"s", {}, {L"r0", L"r1"}}, {L"r0", L"r1"}},
        {"ShellAnswersForOne", {L"s", {L"", L"b"}, {L"r0", L"r1"}}, {L"r0", L"b"}},
        // Recorded paths that do not match the monitors one to one say nothing sure.
        {"RecordedCountOff", {L"s", {}, {L"r0", L"r1", L"r2"}}, {L"s", L"s"}},
        {"RecordedEmpty", {L"s", {}, {L""}}, {L"s", L"s"}},
        {"NothingAtAll", {L"", {}, {}}, {L"", L""}},
    };
    for (const auto& c : cases) EXPECT_EQ(PicturesOf(c.facts, 2), c.expected) << c.name;
}

TEST(WallpaperRead, CopiesByWhoseTheyAre) {
    FoundFiles found;
    found.original = [](const std::wstring& path) { return OriginalFacts{true, false, !SamePath(path, L"gone")}; };
    found.monitorCopy = [](const Rect& m) { return L"cached" + std::to_wstring(m.width); };
    found.transcoded = L"transcoded";
    found.ownCopy = [](size_t i) { return L"own" + std::to_wstring(i); };
    using Files = std::vector<std::vector<std::wstring>>;
    // One picture everywhere: Windows' copies of it.
    EXPECT_EQ(FilesPerMonitor({kLeft, kBelow}, {L"gone", L"GONE"}, found),
              (Files{{L"cached4", L"transcoded"}, {L"cached6", L"transcoded"}}));
    // Two pictures on monitors of one size: the copy named by the size is of one of them.
    EXPECT_EQ(FilesPerMonitor({kLeft, kRight, kBelow}, {L"gone", L"b", L"gone"}, found),
              (Files{{L"own0"}, {L"b", L"own1"}, {L"own2", L"cached6"}}));
    // No picture: nothing, not even a copy; nor for a monitor past the pictures known, one of
    // a pictured monitor's size too.
    EXPECT_EQ(FilesPerMonitor({kLeft}, {L""}, found), (Files{{}}));
    EXPECT_EQ(FilesPerMonitor({kLeft, kRight}, {L"gone"}, found), (Files{{L"cached4", L"transcoded"}, {}}));
}

TEST(WallpaperRead, DecodeBudgetAtItsExactBound) {
    // 40 MiB: 2560 x 4096 at 32 bits exactly, or 20480 x 2048 at 8.
    auto header = [](uint32_t w, uint32_t h, uint32_t bits) { return ImageHeader{ImageKind::kPng, w, h, bits}; };
    const DecodeChoice refused{};
    const struct {
        const char* name;
        ImageHeader header;
        std::optional<PixelSize> offer;
        DecodeChoice expected;
    } cases[] = {
        {"WholeAtTheBound", header(2560, 4096, 32), {}, {false, false, {2560, 4096}}},
        {"OneRowMore", header(2560, 4097, 32), {}, refused},
        {"OneColumnMore", header(2561, 4096, 32), {}, refused},
        {"GreyAtTheBound", header(20480, 2048, 8), {}, {false, false, {20480, 2048}}},
        {"RowsOfOneByte", header(1, 41943040, 8), {}, {false, false, {1, 41943040}}},
        {"OneRowIsTheBudget", header(41943040, 1, 8), {}, {false, false, {41943040, 1}}},
        {"BitsRoundUpPerRow", header(20481, 2048, 8), {}, refused},
        // One bit a pixel: 9 pixels take a row of 2 bytes, 20971520 rows of them the budget.
        {"OneBitAtTheBound", header(9, 20971520, 1), {}, {false, false, {9, 20971520}}},
        {"OneBitOneRowMore", header(9, 20971521, 1), {}, refused},
        {"Bomb", header(60000, 60000, 8), {}, refused},
        {"Widest", header(0xFFFFFFFFu, 0xFFFFFFFFu, 64), {}, refused},
        {"ReducedOffered", header(16000, 16000, 24), PixelSize{2000, 2000}, {false, true, {2000, 2000}}},
        {"ReducedAtTheBound", header(16000, 16000, 24), PixelSize{2560, 4096}, {false, true, {2560, 4096}}},
        {"ReducedTooLarge", header(16000, 16000, 24), PixelSize{2560, 4097}, refused},
        {"OfferNoSmallerIsWhole", header(300, 200, 24), PixelSize{600, 400}, {false, false, {300, 200}}},
        {"EmptyOffer", header(300, 200, 24), PixelSize{0, 200}, {false, false, {300, 200}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooseDecode(c.header, c.offer), c.expected) << c.name;
    // Opened at all: a whole decode in the budget, or a JPEG at an eighth of each side where
    // the codec reduces (20480 x 32768 is 2560 x 4096 then).
    const struct {
        ImageHeader header;
        bool reducedJpeg, opened;
    } opening[] = {
        {header(2560, 4096, 32), false, true},
        {{ImageKind::kJpeg, 16000, 16000, 24}, true, true},
        {{ImageKind::kJpeg, 16000, 16000, 24}, false, false},
        {{ImageKind::kPng, 16000, 16000, 24}, true, false},
        {{ImageKind::kJpeg, 20480, 32768, 24}, true, true},
        {{ImageKind::kJpeg, 20480, 32769, 24}, true, false},
        {{ImageKind::kJpeg, 20481, 32768, 24}, true, false},
        {header(9, 20971520, 1), false, true},
        {header(9, 20971521, 1), false, false},
    };
    for (const auto& c : opening)
        EXPECT_EQ(WorthOpening(c.header, c.reducedJpeg), c.opened) << c.header.width << "x" << c.header.height;
    // USER's loader holds two 32-bit copies of a BMP, whatever its own bits: 2560 x 2048 fill the budget.
    EXPECT_TRUE(LoaderFits({ImageKind::kBmp, 2560, 2048, 1}));
    EXPECT_FALSE(LoaderFits({ImageKind::kBmp, 2560, 2049, 1}));
    EXPECT_FALSE(LoaderFits({ImageKind::kPng, 8, 8, 24}));
}

// Fill on a 4 x 2 and a 6 x 2 monitor of a 2 x 1 picture: each part its monitor; the pass
// reads each source row once for both.
TEST(WallpaperRead, PiecesPlacedAndFilledInOnePass) {
    std::vector<Piece> pieces = PlacePieces(WallpaperStyle::kStretch, {kLeft, kBelow}, Rect{0, 0, 8, 4}, 2, 1);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].place.picture, kBelow);
    EXPECT_EQ(pieces[1].part, (Rect{0, 0, 6, 2}));
    EXPECT_EQ(NeededSize(pieces), (PixelSize{6, 2}));
    // A piece whose part has no columns or no rows shows nothing: its size is not needed.
    auto shown = [](int32_t w, int32_t h, Rect part) { return Piece{{}, {{0, 0, w, h}}, part, {}}; };
    EXPECT_EQ(NeededSize({shown(9, 1, {0, 0, 0, 1}), shown(1, 9, {0, 0, 1, 0}), shown(4, 2, {0, 0, 1, 1})}),
              (PixelSize{4, 2}));
    EXPECT_EQ(NeededSize({shown(9, 1, {0, 0, 0, 1})}), (PixelSize{0, 0}));
    int reads = 0;
    FillPieces(pieces, 2, 1, [&](int32_t, int32_t first, int32_t count, uint32_t* out) {
        ++reads;
        for (int32_t i = 0; i < count; ++i) out[i] = first + i == 0 ? 0x0000FF : 0xFF0000;
    });
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(pieces[0].pixels, (std::vector<uint32_t>{0xFF, 0xFF, 0xFF0000, 0xFF0000, 0xFF, 0xFF, 0xFF0000, 0xFF0000}));
    const std::pair<uint32_t, uint32_t> unplaceable[] = {{0, 5}, {5, 0}, {0x80000000u, 5}, {5, 0x80000000u}};
    for (const auto& [width, height] : unplaceable)
        EXPECT_TRUE(PlacePieces(WallpaperStyle::kFill, {kLeft}, kLeft, width, height).empty()) << width << " x " << height;
    EXPECT_EQ(PlacePieces(WallpaperStyle::kCenter, {kLeft}, kLeft, INT32_MAX, INT32_MAX).size(), 1u);
}

Piece PieceOf(const Rect& monitor, uint32_t colour) {
    return {monitor, {monitor, false}, {0, 0, monitor.width, monitor.height},
            std::vector<uint32_t>(size_t(monitor.width) * size_t(monitor.height), colour)};
}

TEST(WallpaperRead, OneDecodePerFileThenTheNextFile) {
    WallpaperRead read({kLeft, kRight, kBelow});
    std::vector<std::pair<std::wstring, std::vector<size_t>>> calls;
    // Paths alike but for case share a decode, at either end of the letters.
    RunRead(read, {{L"A", L"Z"}, {L"a", L"z"}, {L"B"}}, [&](const std::wstring& path, const std::vector<size_t>& which) {
        calls.push_back({path, which});
        std::optional<std::vector<Piece>> pieces;
        if (path == L"Z") pieces = std::vector<Piece>{PieceOf(kLeft, 1), PieceOf(kRight, 2)};
        return pieces;
    });
    EXPECT_EQ(calls, (std::vector<std::pair<std::wstring, std::vector<size_t>>>{
                         {L"A", {0, 1}}, {L"Z", {0, 1}}, {L"B", {2}}}));
    const std::optional<std::vector<Piece>> all = read.Take({0, 0, 8, 4});
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ((*all)[1].pixels.front(), 2u);
    EXPECT_TRUE(read.Spent());
    // A decoder giving the wrong number of pieces counts as a failure.
    WallpaperRead short_({kLeft, kRight});
    RunRead(short_, {{L"A"}, {L"A"}}, [](const std::wstring&, const std::vector<size_t>&) {
        return std::optional<std::vector<Piece>>(std::vector<Piece>{PieceOf(kLeft, 1)});
    });
    const std::optional<std::vector<Piece>> none = short_.Take({0, 0, 8, 2});
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
    // A monitor past the end of the file lists is finished too, with the colour.
    WallpaperRead fewer({kLeft, kRight});
    RunRead(fewer, {{}}, [](const std::wstring&, const std::vector<size_t>&) { return std::nullopt; });
    EXPECT_TRUE(fewer.Spent());
}

// Monitors that differ in one field only, listed in any order, share one read.
TEST(WallpaperRead, TheSameMonitorsInAnyOrderShareTheRead) {
    int starts = 0;
    ReadKeeper keeper([&](const std::vector<Rect>& monitors) {
        ++starts;
        return std::make_shared<WallpaperRead>(monitors);
    });
    const Rect alike[] = {{0, 0, 4, 2}, {0, 0, 4, 3}, {0, 0, 8, 2}, {0, 2, 4, 2}, {2, 0, 4, 2}};
    std::vector<int> order{0, 1, 2, 3, 4};
    do {
        std::vector<Rect> monitors;
        for (int i : order) monitors.push_back(alike[i]);
        keeper.For(monitors);
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(starts, 1);
    keeper.For({alike[0], alike[1], alike[2], alike[3]});
    EXPECT_EQ(starts, 2);
}

TEST(WallpaperRead, HandOutAsEventsCome) {
    std::vector<std::shared_ptr<WallpaperRead>> started;
    ReadKeeper keeper([&](const std::vector<Rect>& monitors) {
        return started.emplace_back(std::make_shared<WallpaperRead>(monitors));
    });
    const std::vector<Rect> monitors{kLeft, kRight};
    constexpr uint32_t kGdiColour = 0x00302010;  // 10 20 30 as Windows gives it
    // Nothing read yet: the colour, late.
    WallpaperShare first = ShareOf(keeper, kLeft, monitors, kGdiColour);
    EXPECT_TRUE(first.late);
    EXPECT_EQ(first.picture, platform::Picture::Filled(4, 2, 0x102030));
    EXPECT_EQ(LateShareOf(keeper, kLeft, monitors, kGdiColour), std::nullopt);
    // A late ask never starts a read.
    EXPECT_EQ(keeper.Running({kLeft}), nullptr);
    EXPECT_EQ(started.size(), 1u);
    // A piece for a monitor the read does not have is dropped. The right monitor done, the
    // left still read: an area over both waits for both.
    started[0]->Give(2, PieceOf(kRight, 9));
    started[0]->Give(1, PieceOf(kRight, 7));
    EXPECT_EQ(started[0]->Take({2, 0, 4, 2}), std::nullopt);
    started[0]->Give(0, std::nullopt);
    // Part of the right monitor gets a copy; the whole of it then takes it.
    const std::optional<std::vector<Piece>> part = started[0]->Take({2, 0, 4, 2});
    ASSERT_TRUE(part && part->size() == 1);
    EXPECT_FALSE(started[0]->Spent());
    const std::optional<platform::Picture> right = LateShareOf(keeper, kRight, monitors, kGdiColour);
    EXPECT_EQ(right, platform::Picture::Filled(4, 2, 7));
    // All given out: the read is let go, a late ask gets an empty picture, a new ask reads afresh.
    EXPECT_EQ(keeper.Running(monitors), nullptr);
    EXPECT_EQ(LateShareOf(keeper, kLeft, monitors, kGdiColour), platform::Picture{});
    ShareOf(keeper, kLeft, monitors, kGdiColour);
    EXPECT_EQ(started.size(), 2u);
    // The worker's end gives every monitor not given the colour.
    started[1]->End();
    EXPECT_EQ(LateShareOf(keeper, kLeft, monitors, kGdiColour), platform::Picture{});
    // One screen without monitors is its own area.
    EXPECT_EQ(ShareOf(keeper, kBelow, {}, kGdiColour).picture.width, 6);
}

// An area whose colour alone outgrows memory (4 EiB) is not late: nothing more will come.
TEST(WallpaperRead, LateShareBeyondMemoryIsNothing) {
#ifdef BRACKMER_CHECKED
    GTEST_SKIP() << "the address sanitizer ends the program where new would throw";
#endif
    const Rect huge{0, 0, 1 << 30, 1 << 30};
    ReadKeeper keeper([](const std::vector<Rect>& monitors) { return std::make_shared<WallpaperRead>(monitors); });
    keeper.For({huge})->Give(0, PieceOf(kLeft, 1));
    EXPECT_EQ(LateShareOf(keeper, huge, {}, 0), platform::Picture{});
}

}  // namespace
}  // namespace desktop
