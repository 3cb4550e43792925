#!/usr/bin/env bash
# Mutation run: how many small faults the tests notice. Two sources of faults:
#  - the hand-written list below, one sed edit each (two steps swapped, a wrong field, a wrong
#    unit: faults a machine would not write);
#  - generated (--generated): every single-point mutant of a fixed operator set over the files
#    named, or else the sources changed since MUTATE_BASE (scripts/mutants.py writes them), of
#    which a seeded sample is run.
# Each mutant is applied to a copy of the source tree (BUILD/mutation-src, built incrementally
# in BUILD/mutation-build), never to the checkout, and runs the tests of its side: the
# portable core every native GoogleTest program, files *_win32.* the Windows unit tests under
# Wine; a file in the end-to-end table below also runs that one end-to-end test. A failing or
# crashing test or a time-out kills it; one that does not compile is "unbuildable". A core
# mutant the plain tests miss runs them once more in a checked build (BUILD/mutation-checked).
#   usage: scripts/mutate.sh                   the hand-written list (MUTANTS=REGEX: those ids)
#          scripts/mutate.sh --generated [FILE...]   MUTATE_BASE=REF (default HEAD~1) when no
#            file is named; SAMPLE=40 per side (SAMPLE_CORE, SAMPLE_WINDOWS); SEED=N repeats a
#            run (without it each run draws a fresh seed, so no sample is one the tests were
#            tuned to; the first lines print it);
#            MUTANTS=REGEX: only those whose "file:line  operator" matches (a rerun of survivors)
#   DRY=1 only shows the mutants; MUTATE_DISPLAY_BASE=N (default 300): the first X display
#   number its Wine sessions may take, so two runs on one machine never share a display.
# Prints one line per mutant, the survivors and the kill rate per side, also written to
# BUILD/mutants.txt (hand-written) or BUILD/mutants-generated.txt. BUILD is $BRACKMER_BUILD
# or ./build.
set -uo pipefail
# One block, read in full before it runs: the tables can be edited while a run goes on.
{
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(mkdir -p "${BRACKMER_BUILD:-$root/build}" && cd "${BRACKMER_BUILD:-$root/build}" && pwd)
mode=hand
if [ "${1:-}" = --generated ]; then mode=generated; shift; fi
only=${MUTANTS:-.}

# ---- The end-to-end test that sees a file where no unit test can (ctest names of the
# ---- native tree, several joined by "|"; keep in step with tests/e2e). file | ctest tests
e2e_table=$(cat <<'EOF'
src/battle/saver_run_win32.cpp|e2e_sea-and-jumps|e2e_key-on-show|e2e_two-seas|e2e_two-move-onto|e2e_tick-error
src/battle/primary_display_win32.cpp|e2e_no-directdraw|e2e_two-move-onto
src/battle/screen_window_win32.cpp|e2e_two-seas
src/desktop/desktop_pixels_win32.cpp|e2e_wallpaper-own-desktop
src/desktop/wallpaper_read_win32.cpp|e2e_wallpaper-gone-cached
src/desktop/wallpaper_facts_win32.cpp|e2e_wallpaper-gone-transcoded|e2e_wallpaper-gone-cached|e2e_wallpaper-stretch
src/desktop/wallpaper_decode_win32.cpp|e2e_wallpaper-bomb|e2e_wallpaper-stretch
src/desktop/screen_capture_win32.cpp|e2e_desktop-snapshot
src/graphics/dx7_ddraw_support_win32.cpp|e2e_lost-display
src/graphics/gdi_frame_display_win32.cpp|e2e_no-directdraw
src/settings/config_dialog_win32.cpp|e2e_dialog-corrections|e2e_dialog-host-ok|e2e_dialog-120dpi
src/startup/preview_window_win32.cpp|e2e_preview-picture|e2e_preview-orphan
src/startup/saver_main_win32.cpp|e2e_opens-saver|e2e_lock-held|e2e_setup-report
src/platform/fault_switches.cpp|e2e_tick-error|e2e_lost-display
src/platform/form_win32.cpp|e2e_dialog-corrections
src/platform/runtime_win32.cpp|e2e_unwritable-folder
src/platform/monitors_win32.cpp|e2e_two-seas
EOF
)

# ---- Generated mutants known to change no behaviour (or none Wine can show: the why says
# ---- so): left out of the rates, still shown.
# ---- file | the mutated line, blanks at either end trimmed (it may hold "|") | why; or
# ---- file | ~ERE that the original line matches (every mutant of such lines) | why
# ---- file | =ERE that the mutated line matches | why
equivalent_table=$(cat <<'EOF'
src/startup/preview_window_win32.cpp|~^constexpr UINT_PTR kHostWatchTimer = 1;|a timer's number only names it
src/startup/preview_window_win32.cpp|=WM_CLOSE, (-?1, 0|0, -?1)\); }$|WM_CLOSE reads neither parameter
src/battle/cursor_check.cpp|=^const int32_t d(x = platform::Abs32\(platform::Sub32\(last\.x, current\.x|y = platform::Abs32\(platform::Sub32\(last\.y, current\.y)\)\);$|the distance is the same either way round, and where one order overflows the other does too (INT32_MIN has no distance): both throw
src/graphics/clip.cpp|=^if \(r\.(x|y|sx|sy) <= 0\) \{|at 0 the branch moves nothing
src/graphics/soft_display.cpp|=^return (left >= -1 && top >= 0|left >= 0 && top >= -1) &&|a clipped rectangle never starts before 0: ClipBlit moves a negative start to 0
src/battle/battle_state.h|~^(int32_t (scrWidth|scrHeight|charWidth|charHeight)|int16_t (redCount|blueCount|totalCount)) = 0;$|set-up sets it before anything reads it
src/assets/image_codecs.cpp|const uint32_t maskBytes = RowBytes(31, 1) * 32;|31 pixels of one bit take a row of 4 bytes as 32 do
src/settings/config_dialog_win32.cpp|=std::clamp\(kMinCount, s\.(red|blue)Count, kMaxCount\)|UDM_SETPOS32 keeps the position within the up-down's range 2..15, whatever count it is given
src/settings/config_dialog_win32.cpp|=MakeFont\(k(Times|Gothic), (1574|1576|1424|1426|1199),|Wine cannot show at the dpi the tests run (96, 192): MulDiv gives these and the true hundredths the same pixel height there
src/desktop/wallpaper_facts_win32.cpp|=SPI_GETDESKWALLPAPER, MAX_PATH, path, -?1\)\)|a reading ignores fWinIni
src/desktop/desktop_view.cpp|=^if \(area\.width (<= 0 \|\| area\.height <= -1|<= -1 \|\| area\.height <= 0|< 0 \|\| area\.height <= 0)\) return \{\};$|an area without rows or columns gets no pixels either way
src/startup/preview_window_win32.cpp|=^if \(!\(IsLoaded\(\)\)\) platform::EndProgram\(\);|Wine cannot show: it tells our window when a dead host's window goes, so the untold way is never met, and ending there ends the process as the last window's quit does
src/desktop/image_header.cpp|if (length < 1) return std::nullopt;|a length of 1 sends the walk to the length's own low byte, 0x01, which is no marker: refused either way
src/platform/runtime_win32.cpp|=EnumThreadWindows\(GetCurrentThreadId\(\), &HideWindow, -?1\);|HideWindow reads no parameter of its own
src/desktop/wallpaper_decode_win32.cpp|~^SUCCEEDED\(decoder->GetFrame\(0, frame\.Put\(\)\)\) &&$|Wine cannot show: its JPEG frames offer no decoding at a reduced size, from any frame asked
src/settings/config_rules.cpp|if (n >= kMaxCount) return kMaxCount;|at n == kMaxCount both paths give kMaxCount
src/startup/preview_window_win32.cpp|~^return 1;$|the answer to WM_ERASEBKGND only sets a paint's fErase, which nothing reads
src/desktop/desktop_view.cpp|=^int64_t FloorDiv\(int64_t a, int64_t b\) \{ return a / b - \(\(a % b != 0\) && \(\(a (< [01]|<= 0)\) != \(b (< [01]|<= 0)\)\)\); \}$|b is 2 or a tile's size, never below 1, and an a of 0 leaves no remainder: either bound tells the signs apart alike
src/desktop/desktop_view.cpp|part.height <= -1 || piece.pixels.size() != size_t(part.width) * size_t(part.height))|a part of no rows paints no row either way
src/graphics/dx7_ddraw_support_win32.cpp|~^uint32_t value = 0;$|memcpy writes all four bytes before any is read
src/platform/runtime_win32.cpp|if (n >= 0 && words) {|with no characters the words are empty, and nothing is added
src/graphics/display_mode.h|~^int32_t (width|height|bitsPerPixel) = 0;$|every mode is made with all three, from the platform or from the plan
src/desktop/wallpaper_facts_win32.cpp|if (!facts.named) return {};|facts are still their defaults there but for named, which is false
src/platform/monitors_win32.cpp|=^if \(getDpi && SUCCEEDED\(getDpi\(monitor, kEffectiveDpi, &x, &y\)\) \|\| x > 0\) return static_cast<int>\(x\);$|x keeps its 0 unless the platform answered with it, and Wine's answer always succeeds
src/startup/command_line.cpp|=^if \(sw == "/s" \|\| sw == "/S"\) return \{\};$|Mode{} is kSaver, the first of its values
src/startup/preview_window_win32.cpp|~^return 0;$|the message loop drops what a window answers to WM_TIMER, WM_PAINT and WM_SYSKEYDOWN; any answer keeps them from Default alike
src/desktop/wallpaper_decode_win32.cpp|~^UINT width = 0, height = 0;$|GetSize sets both before they are read, and its failure returns first
src/platform/form_win32.cpp|~^if \(msg == WM_TIMER\) return 0;$|the platform ignores what a timer handler returns
src/settings/config_dialog_win32.cpp|~^SetBkMode\(dc, TRANSPARENT\);$|an opaque label's ground is the form's own colour, set just above
src/startup/command_line.cpp|size_t digits = 1;|no digits leave the value 0, which is refused as well
src/startup/command_line.cpp|if (digits == -1 || value == 0 || i != rest.size()) return std::nullopt;|no digits leave the value 0, which is refused as well
src/desktop/wallpaper_decode_win32.cpp|~^0xFF, 0xDA, 0, 0x0C, |Wine cannot show: its codec decodes the probe's scan of zero coefficients to the same grey whatever the scan header's fields say
src/settings/config_dialog_win32.cpp|=SetWindowSubclass\(updown, &UpDownKeys, 0, -?1\);|UpDownKeys reads neither its subclass id nor its reference data
src/battle/screen_window_win32.cpp|=^SetWindowPos\(Handle\(\), HWND_TOPMOST, -?[01], -?[01], -?[01], -?[01], SWP_NOMOVE \| SWP_NOSIZE\);$|SWP_NOMOVE and SWP_NOSIZE make the platform ignore the numbers
src/graphics/smooth_scale.h|~^int32_t (width|height) = 0;$|every target is made with its size given
src/graphics/smooth_scale.cpp|=^int32_t width_ = -?[0-9]+, height_ = -?[0-9]+, y_ = 0;$|a scaler reads its size only once it has rows to make, and its constructor sets the size before it makes any
src/startup/preview_window_win32.cpp|=PreviewHandle\(argumentText\)\.value_or\(-?1\)\)\);$|no handle at all, 1 and -1 are no window either: the preview ends the same
src/settings/config_dialog_win32.cpp|if (owner_ || disabledOwner == owner_) EnableDisabledOwner();|EnableDisabledOwner enables only the window this dialog disabled, so without an owner, or with one it found disabled, nothing is enabled either way
src/desktop/desktop_pixels_win32.cpp|~^DWORD needed = 0;$|the platform writes the size it needs there, and nothing reads it
src/settings/config_dialog_win32.cpp|~^ClampCountBox\((red|blue)Box_\);$|OK stores CountOf the box, which reads a text as its clamp does, and the box closes with the dialog
src/desktop/wallpaper_read.cpp|=^return std::tie\(x\.left, x\.top, x\.width, x\.height\) (<=|>=) std::tie\(y\.left, y\.top, y\.width, y\.height\);$|both lists are sorted alike, and equal lists come out equal in a descending order or with equal monitors either way round
src/desktop/wallpaper_read.cpp|if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return {};|the list returned there is still empty
src/desktop/wallpaper_read.cpp|offer->height <= header.height && FitsBudget(offer->width, 32, offer->height))|w x h pixels at 32 bits or w x 32 in rows of h bits round to 32-pixel steps, and the budget is a whole number of them
src/desktop/wallpaper_read.cpp|offer->height <= header.height && FitsBudget(offer->height, offer->width, 32))|at 32 bits a row is exactly 4 bytes a pixel: width and height multiply the same either way
src/desktop/wallpaper_decode_win32.cpp|~(transform->|needed\.width > 0 &&|UINT w = needed\.width)|Wine cannot show: its JPEG frames offer no decoding at a reduced size
src/platform/form_win32.cpp|~^SetWindowLongPtrW\(hwnd, GWLP_USERDATA, 0\);|no message comes after WM_NCDESTROY, so nothing reads the cleared pointer
src/settings/dialog_template.cpp|Need(3);|in a whole template two more bytes always follow a name, and a cut one is refused either way
src/settings/config_rules.cpp|if (!(n > kMinCount)) return kMinCount;|at n == kMinCount both paths give kMinCount
src/desktop/desktop_view.cpp|switch (style.value_or(-2)) {|-1 and -2 both take the default case
src/desktop/desktop_view.cpp|bool Single() const { return last - first == 0; }|the mean of one pixel is that pixel: only the shortcut is lost
src/desktop/desktop_view.cpp|if (area.width <= 0 || area.height < 0) return {};|an area no row high has no pixels either way
src/startup/preview_layout.cpp|if (width <= 0 || height < 0 || sourceWidth <= 0 || sourceHeight <= 0) return out;|a picture no row high has no pixels either way
src/platform/runtime_win32.cpp|DWORD read = 1;|ReadFile sets the count whenever it succeeds, and a failure returns before the count is read
src/desktop/wallpaper_decode_win32.cpp|DWORD read = 1;|ReadFile sets the count whenever it succeeds, and a failure returns before the count is read
src/platform/runtime_win32.cpp|=^DWORD written = -?1;$|WriteFile sets the count whenever it succeeds, and a failure throws before the count is read
src/desktop/wallpaper_decode_win32.cpp|~^0x03, +// three blocks of codes 0 0|Wine cannot show: the probe asks its frame only whether it decodes at a reduced size, which its JPEG frames never do, whatever the scan's bits
src/desktop/desktop_view.cpp|if (pixels.size() != size_t(std::max(area.width, -1)) * size_t(std::max(area.height, 0)) || part.width <= 0 |||an area of no width is painted nowhere, whichever way out it takes
src/desktop/wallpaper_decode_win32.cpp|~^const IID kIidSourceTransform = |Wine cannot show: its JPEG frames offer no decoding at a reduced size, under the right identifier or a wrong one
src/battle/battle_state.cpp|s.expCount = -1;|the count is read only after an explosion has set it to 3
src/platform/monitors_win32.cpp|if (getDpi && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &y, &x)) && x > 0) return static_cast<int>(x);|a monitor's effective dpi is the same across as down
src/battle/battle_state.cpp|s.expCount = 1;|the count is read only after an explosion has set it to 3
src/graphics/gdi_frame_display_win32.cpp|platform::UniqueBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, -1));|the offset is ignored when there is no file-mapping section
src/assets/pixel_text.cpp|Picture image = Picture::Filled(width, height, 1);|every pixel is then set from its row, each row exactly as wide, or reading throws
src/assets/pixel_text.cpp|Picture image = Picture::Filled(width, height, -1);|every pixel is then set from its row, each row exactly as wide, or reading throws
src/assets/pixel_text.cpp|int width = 1;|the size is set from the pixels line before any use; every other way out throws
src/assets/pixel_text.cpp|int width = -1;|the size is set from the pixels line before any use; every other way out throws
src/assets/pixel_text.cpp|int height = 1;|the size is set from the pixels line before any use; every other way out throws
src/assets/pixel_text.cpp|int height = -1;|the size is set from the pixels line before any use; every other way out throws
src/assets/pixel_text.cpp|int value = -1;|from_chars sets it on success, and on failure it is not returned
src/assets/pixel_text.cpp|int value = 1;|from_chars sets it on success, and on failure it is not returned
src/desktop/desktop_view.cpp|=^int value = -?1;$|from_chars sets it on success, and on failure it is not returned
src/desktop/image_header.cpp|=^if \(w (< 0|<= -1) \|\| h == 0 \|\| h == INT32_MIN\) return std::nullopt;$|a width of 0 is refused below with the core header's
src/desktop/image_header.cpp|=^while \(at \+ (5 <=|4 <) b\.size\(\)\) \{$|a frame header takes 10 bytes and the walk only goes on: from 4 left every way ends in no header
src/desktop/desktop_view.cpp|part.height <= 0 && piece.pixels.size() != size_t(part.width) * size_t(part.height))|every piece's part comes of PartShown, which gives rows wherever it gives columns
src/assets/sprite_art.h|SpriteSet ArtSprites(int scale = 0);|ScaleNearest keeps the picture as it is at any factor of 1 or less
src/assets/image_codecs.cpp|for (int x = 0; x < 31; x += 8) {|the mask bytes start at 0, 8, 16, 24 under either bound
src/assets/image_codecs.cpp|for (int x = 0; x < 31; x += 2) w.U8((index(x, y) << 4) | index(x + 1, y));|the pixel pairs start at 0, 2 ... 30 under either bound
src/assets/image.cpp|if (factor <= 0) return image;|enlarging once copies every pixel: only the shortcut is lost
src/battle/battle_state.cpp|for (int k = 0; k <= b.totalCount; ++k) {|slot 0 is never a ship and the loop writes the defaults it already holds
src/desktop/desktop_view.cpp|if (row < -1) continue;|a part from PartShown covers every row the monitor shows, so none is -1
src/desktop/desktop_view.cpp|if (columns[size_t(x)] >= -1) to[x] = from[columns[size_t(x)]] & 0x00FFFFFF;|a part from PartShown covers every column the monitor shows, so none is -1
src/desktop/desktop_view.cpp|if (!picture || picture->width <= 0 || picture->height < 0 |||a picture without rows or columns is placed nowhere, so every monitor keeps the colour
src/desktop/desktop_view.cpp|if (!picture || picture->width <= 0 || picture->height <= -1 |||a picture without rows or columns is placed nowhere, so every monitor keeps the colour
src/desktop/desktop_view.cpp|if (!picture || picture->width < 0 || picture->height <= 0 |||a picture without rows or columns is placed nowhere, so every monitor keeps the colour
src/desktop/desktop_view.cpp|if (!picture || picture->width <= -1 || picture->height <= 0 |||a picture without rows or columns is placed nowhere, so every monitor keeps the colour
src/desktop/desktop_view.cpp|if (!picture || picture->width <= 0 && picture->height <= 0 |||a picture without rows or columns is placed nowhere, so every monitor keeps the colour
src/desktop/wallpaper_source.cpp|if (!original.named) return {};|the list returned there is still empty
src/desktop/wallpaper_source.cpp|return path.size() >= 1 && path[1] == L':' && remoteDrive(path[0]);|a one-character view reads its terminator there, never a colon
src/startup/preview_window_win32.cpp|if (size_.scaled || picture_) {|an unscaled preview never paints the scaled copy; the picture is always there
src/battle/screen_window_win32.cpp|~^return 1;$|the answer only sets a paint's fErase, which nothing reads
src/battle/screen_window_win32.cpp|return 1;|the platform ignores what a handler of keys, buttons, timers, close requests and display changes returns
src/battle/screen_window_win32.cpp|return (-1);|the platform ignores what a handler of keys, buttons, timers, close requests and display changes returns
src/settings/config_dialog_win32.cpp|=kCountBoxLeft, static_cast<WPARAM>\(id\), -?1\);$|the dialog's own message reads only its wParam
src/settings/config_dialog_win32.cpp|~UDM_GETBUDDY, 0, 0\)|UDM_GETBUDDY reads neither parameter
src/desktop/wallpaper_facts_win32.cpp|~^(wchar_t name\[32\];|swprintf\(name, 32, )|the longest name formatted takes 25 characters: 31 or 33 hold it as 32 do
src/desktop/wallpaper_facts_win32.cpp|~^const (CLSID kClsidDesktopWallpaper|IID kIidDesktopWallpaper) = |Wine cannot show: it has no such class, under the right identifiers or wrong ones
src/graphics/dx7_ddraw_support_win32.cpp|if (!EnumDisplaySettingsExW(device->c_str(), ENUM_CURRENT_SETTINGS, mode, 1)) return std::nullopt;|1 is no EDS_ flag: the current mode reads the same
src/desktop/screen_capture_win32.cpp|platform::UniqueBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 1));|the offset is ignored when there is no file-mapping section
src/graphics/dx7_ddraw_support_win32.cpp|COLORREF kept_ = 1;|the constructor sets it before anything reads it
src/graphics/dx7_ddraw_support_win32.cpp|if (bits >= 0 && bits < 32) value &= (1u << bits) - 1;|a locked RGB surface always states its bit count: 0 never comes
src/settings/config_dialog_win32.cpp|formFont_ = MakeFont(kGothic, 1201, false, false, SHIFTJIS_CHARSET, FF_SWISS, dpi_);|below 1200 dpi MulDiv rounds 1201 and 1200 hundredths to the same pixel height
src/platform/monitors_win32.cpp|if (getDpi && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && x > -1) return static_cast<int>(x);|Wine cannot show: -1 as UINT is its largest value, so the system's dpi is taken, which Wine gives every monitor
src/platform/monitors_win32.cpp|=^if \(systemDpi == -?1\) systemDpi = SystemDpi\(\);$|Wine cannot show: its GetDpiForMonitor answers for every monitor, even one it does not know, so the system's dpi is never asked
src/platform/dib_win32.cpp|std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[1]);|every element has the same size
src/settings/config_dialog_win32.cpp|return top || top != GetDesktopWindow() ? top : nullptr;|Wine cannot show: its GetAncestor gives no window the desktop as root, so both forms return the same
src/desktop/wallpaper_decode_win32.cpp|~^1(, 1)*,$|the probe's quantizers scale coefficients that are all 0: any values give the same grey
src/desktop/wallpaper_decode_win32.cpp|0xFF, 0xC0, 0, 0x11, 0x08, 0, 0x08, 0, 0x08, 0x03, 1, 0x12, 0, 0x02, 0x11, 0, 0x03, 0x11, 0,  // the frame|Wine cannot show: a part sampled 1 x 2 leaves the scan short, and its codec fills it with the same grey
src/desktop/wallpaper_decode_win32.cpp|0xFF, 0xC0, 0, 0x11, 0x08, 0, 0x08, 0, 0x08, 0x03, 1, 0x11, 0, 0x02, 0x12, 0, 0x03, 0x11, 0,  // the frame|Wine cannot show: a part sampled 1 x 2 leaves the scan short, and its codec fills it with the same grey
src/desktop/wallpaper_decode_win32.cpp|0xFF, 0xC0, 0, 0x11, 0x08, 0, 0x08, 0, 0x08, 0x03, 1, 0x11, 0, 0x02, 0x11, 0, 0x03, 0x12, 0,  // the frame|Wine cannot show: a part sampled 1 x 2 leaves the scan short, and its codec fills it with the same grey
src/platform/monitors_win32.cpp|~GetProcAddress\(shcore, "GetDpiForMonitor"\)|Wine cannot show: without the per-monitor function the system's dpi is taken, which Wine gives every monitor
src/graphics/dx7_ddraw_support_win32.cpp|~^SetWindowPos\(window_, nullptr, 0, 0, .*SWP_NOMOVE|with SWP_NOMOVE the place given is not read
src/desktop/image_header.cpp|~^uint64_t width = 0, height = 0, bits = 0, planes = 0;|both headers set all four before any is read
src/startup/saver_main_win32.cpp|~^platform::StartupMark\(|a mark that only the timing builds write (scripts/bench.sh)
src/battle/primary_display_win32.cpp|~^platform::StartupMark\(|a mark that only the timing builds write (scripts/bench.sh)
src/battle/saver_run_win32.cpp|~^platform::StartupMark\(|a mark that only the timing builds write (scripts/bench.sh)
src/desktop/wallpaper_facts_win32.cpp|~^answer->given\.notify_all\(\);$|a lost wake-up only waits out the 300 ms deadline, and the predicate then takes the answer: no test may time it
src/desktop/wallpaper_facts_win32.cpp|~(wallpaper->|\bmatch\b|i < count|r\.right - r\.left|^UINT count = 0;$)|Wine cannot show: it has no IDesktopWallpaper, so nothing after asking for one runs
src/desktop/image_header.cpp|uint32_t channels = 1;|each kind of PNG sets its channels, and the others return
src/desktop/image_header.cpp|uint32_t channels = -1;|each kind of PNG sets its channels, and the others return
src/graphics/result_codes.h|uint32_t result = 1;|every way the display's set-up fails fills it before it is read
src/graphics/result_codes.h|uint32_t result = -1;|every way the display's set-up fails fills it before it is read
src/battle/battle_state.h|enum ShipMode : int16_t { kPlacing = -1, kSailing = 1, kFiring = 2, kExploding = 3 };|every use names the mode, and placing stays the lowest
src/battle/battle_state.h|int16_t expCount = 1;|the count is read only after an explosion has set it to 3
src/battle/battle_state.h|int16_t expCount = -1;|the count is read only after an explosion has set it to 3
src/settings/config_dialog_win32.cpp|=DM_SETDEFID, id == kIdCancel \? kIdCancel : kIdOk, -?1\);$|DM_SETDEFID reads only its wParam
src/battle/battle_state.h|int16_t hit = 1;|set-up sets every ship's hit, and slot 0 is never a ship
src/battle/battle_state.h|int16_t hit = -1;|set-up sets every ship's hit, and slot 0 is never a ship
src/battle/battle_state.h|int16_t flash = 1;|set-up sets every ship's flag, and slot 0 is never a ship
src/battle/battle_state.h|int16_t flash = -1;|set-up sets every ship's flag, and slot 0 is never a ship
src/graphics/smooth_scale.cpp|~= std::(min|max)\(|the least or the most of two numbers is the same either way round
src/battle/saver_run_win32.cpp|~traced_|only the timing builds compile it
src/battle/saver_run_win32.cpp|~^(notifications_\.reset\(\);|if \(screen\.get\(\) != &Primary\(\)\) screen->Unload\(\);)$|no test can reach it: only the saver's own thread could destroy its window, and the run ends the process with its windows standing
src/battle/saver_run_win32.cpp|~^OnFrameTimer\(\);$|without the tick at once the frame timer's first tick, 150 ms later, draws the same frame and checks the same layout: no test can tell the moment
src/settings/config_dialog_win32.cpp|if (!handle && !IsWindow(handle)) return nullptr;|what is no window has no root either, so the owner is none both ways
src/battle/battle_state.h|int16_t target = 1;|each aim sets the target to -1 or a ship before reading it
src/battle/battle_state.h|int16_t target = -1;|each aim sets the target to -1 or a ship before reading it
src/battle/battle_state.h|int32_t scrHeight = 1;|SetUpBattle sets the size from the screen before any use
src/battle/startup_plan.h|int spriteScale = 0;|every plan comes from PlanScreens, which sets the scale
src/battle/startup_plan.h|int spriteScale = 2;|every plan comes from PlanScreens, which sets the scale
src/graphics/smooth_scale.cpp|int32_t firstRow = std::numeric_limits<int32_t>::max(), lastRow = -2;|any negative last row means no part wants a row
src/graphics/smooth_scale.cpp|int32_t firstColumn = std::numeric_limits<int32_t>::max(), lastColumn = -2;|the column bound is read only once a part has raised it to its own
src/graphics/smooth_scale.cpp|int32_t firstColumn = std::numeric_limits<int32_t>::max(), lastColumn = 0;|the column bound is read only once a part has raised it to its own
src/desktop/desktop_view.cpp|if (pixels.size() != size_t(std::max(area.width, 0)) * size_t(std::max(area.height, -1)) || part.width <= 0 |||an area of no height is painted nowhere, whichever way out it takes
src/desktop/wallpaper_facts_win32.cpp|=\) \? 3 : 0;$|the prefix's fourth character is its backslash, no wildcard: a search from it finds what one after it does
src/settings/config_dialog_win32.cpp|~^SetWindowLongPtrW\(dialog, DWLP_USER, 0\);$|no message comes after WM_NCDESTROY, so nothing reads the cleared pointer
src/desktop/wallpaper_decode_win32.cpp|=^0x02, +// three blocks of codes 0 0|the last two bits only pad the scan after its three blocks, and decoders read no padding
src/startup/saver_main_win32.cpp|~^platform::UseSystemDpiForThisThread\(\);$|Wine cannot show: it gives every monitor the system's dpi, so a thread aware of each monitor's gets the same sizes
src/desktop/wallpaper_decode_win32.cpp|~^bitmap\.reset\(\);$|the bitmap goes at the return either way: only the peak while the pieces fill is higher, which no test can see
src/settings/config_dialog_win32.cpp|=UDM_SETPOS32, -?1, |UDM_SETPOS32 reads no wParam
src/settings/config_dialog_win32.cpp|return {};  // posted: the answer goes to no one|the dialog's own message is posted, and the default does nothing with it either
src/platform/form_win32.cpp|=(Get|Peek)MessageW\(&msg, nullptr, 0, -1[,)]|a filter from 0 to the largest message number takes every message, as 0, 0 does
src/battle/saver_notifications_win32.cpp|=^UINT\(-[02]\)\)$|a failed call writes nothing, and the zeroed record reads as no key; a call that succeeds returns neither 0 nor 0xFFFFFFFE bytes
src/settings/config_dialog_win32.cpp|=^HFONT f = CreateFontW\(height, 0, 0, -?1, |the dialog draws in the compatible graphics mode, where the escapement alone turns the text and the orientation is not read
src/settings/config_dialog_win32.cpp|return {};  // the default would find nothing left to paint|our BeginPaint left no update region, and the default's paints only a minimised window's icon: the dialog cannot be minimised
src/battle/frame_composer.cpp|for (int k = 0; k <= b.totalCount; ++k) {|slot 0 is never a ship: it stays placing, which the loop skips
src/desktop/image_header.h|~^uint32_t (width|height|bitsPerPixel) = 0;|every header read names its size and depth
src/desktop/wallpaper_decode_win32.cpp|=^if \(needed\.width >= 0 && |every style puts some of the picture on each monitor, so a size is needed wherever there is a piece, and without pieces nothing is filled either way
src/desktop/image_header.cpp|return b.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), b.begin());|a head no longer than its signature is too short for the header after it, which each reader refuses
src/desktop/wallpaper_facts_win32.cpp|const size_t from = path.starts_with(L"\\\\?\\") ? 5 : 0;|a wildcard just after the long-path prefix stands in the drive or server, where a search takes none and finds nothing either way
src/platform/runtime_win32.cpp|~^TerminateProcess\(GetCurrentProcess\(\), static_cast<UINT>\(exitCode\)\);$|Wine cannot show: ExitProcess after it ends with the same code, and only Windows' graphics stack may stall in the detach code it then runs
src/platform/monitors_win32.cpp|~^int systemDpi = 0;|Wine cannot show: its GetDpiForMonitor answers for every monitor, even one it does not know, so the system's dpi is never asked
src/battle/saver_run_win32.cpp|=^if \(screens_\.size\(\) (> 0|>= 1)\) Primary\(\)\.FreeCursor\(resting\);$|with one screen the hidden pointer has nowhere else to go, and the start's reading of it comes after: freeing it there changes nothing a user or the run sees
src/platform/form_win32.cpp|return IsDialogMessageW(f->hwnd_, &msg) != -1;|for the dialog and its children IsDialogMessage dispatches every message itself and answers TRUE, never -1
src/desktop/wallpaper_decode_win32.cpp|~^return offered;$|Wine cannot show: its JPEG frames offer no decoding at a reduced size, so the probe answers false either way
src/assets/image_codecs.cpp|~^w\.Bgr0\(Rgb\(255, 255, 255\)\);$|the cursor's XOR mask is all 0, so no pixel ever takes its second colour
src/battle/monitor_layout.cpp|=return Overlap\(m\.rect, c\); \}\)\)$|two rectangles overlap or not whichever is named first
src/platform/form_win32.h|~^virtual LRESULT OnMessage\(UINT msg, WPARAM wp, LPARAM lp\) \{ return Default\(msg, wp, lp\); \}$|every form whose window the form makes answers in its own OnMessage; the dialog's messages go to its dialog procedure
src/desktop/wallpaper_read.cpp|if (!piece || !platform::Overlap(monitors_[i], area)) continue;|two rectangles overlap or not whichever is named first
src/settings/config_dialog_win32.cpp|=^SendMessageW\(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>\(box\), -?1\);$|UDM_SETBUDDY reads no lParam
src/platform/picture.h|~^int32_t (width|height) = 0;$|an empty picture stays not whole: its other side is still 0, and IsWhole and the views test both; every picture with pixels is made with both sizes
src/graphics/result_codes.cpp|=^char hex\[(1[1-9]|[2-9][0-9])\];$|"0x", eight digits and the end fit in 11 characters or more
src/battle/saver_notifications_win32.cpp|=^if \(std::memcmp\(&k[A-Za-z]+, &setting->PowerSetting, sizeof\(GUID\)\) == 0\)$|two records are equal or not whichever is named first
src/platform/screen_metrics.h|~^float twipsPerPixel[XY] = 15;|the start-up's figures come from ScreenTwipsFor, which sets both
src/battle/battle_state.h|~^float (screenWidthTw|screenHeightTw|twipsPerPixel[XY]|charWidthTw|charHeightTw) = (0|15);$|measurements are made by MeasurementsFor alone, which sets every field
src/desktop/screen_capture_win32.cpp|~^GdiFlush\(\);$|Wine cannot show: its GDI does each call at once, so no batch is left to reach the bits
src/graphics/dx7_ddraw_support_win32.cpp|~^SetFocus\(window\);$|the window SetActiveWindow activates takes the focus by WM_ACTIVATE's default, so SetFocus finds it there
src/startup/saver_main_win32.cpp|~^platform::ProcessPendingMessages\(\);$|the process has no window yet, so no message waits for one
src/settings/config_dialog_win32.cpp|~^platform::EndProgram\(\);$|the dialog is the process's last window: once Unload destroys it the message loop ends, and the process with it
src/platform/form_win32.cpp|~^TranslateMessage\(&msg\);$|the one window that takes typed text is the dialog, whose messages IsDialogMessage translates itself; the others act on key-down
src/desktop/wallpaper_facts_win32.cpp|~^constexpr std::chrono::milliseconds kShellAnswer\{300\};$|a wait a millisecond longer or shorter is no behaviour a test may time
src/platform/monitors_win32.cpp|~^UINT x = 0, y = 0;$|x is read only after the platform has written it, and y by no one
src/assets/sprite_art.h|~^int surfaceId = 0;$|every sprite the set makes is given its id
src/battle/screen_window_win32.cpp|=^return \(wp & 0xFFF0\) == SC_SCREENSAVE \? -?1 : Default\(msg, wp, lp\);$|the platform ignores what a WM_SYSCOMMAND handler returns: only that the request is not passed on counts
src/startup/saver_main_win32.cpp|=value_or\(-1\)\)\)\);$|Wine cannot show: it takes an owner that is no window as none, as it takes no owner
src/platform/runtime_win32.cpp|~^char buf\[64\];$|" failed: error " and the largest code take 26 characters: 63 or 65 hold them as 64 do
src/desktop/image_header.cpp|if (b.size() < kFileHeader + 5) return std::nullopt;|18 bytes hold an info header's size and none of its fields: every header is refused a step later
src/platform/form_win32.cpp|=^if \(!self\) return (DefWindowProcW\(hwnd, wp, msg, lp\)|\{\});$|a form's window meets no pointer only for WM_GETMINMAXINFO, before WM_NCCREATE, and its destruction's messages once the form is gone: the default does nothing for the first that a test can see, and the second only free what the process ends with
src/battle/screen_window_win32.cpp|if (wp == kFrameTimer || hooks_.frameTick) hooks_.frameTick();|the one timer a saver window runs is the primary's frame timer, and the primary has the tick
src/assets/image_codecs.cpp|=^w\.U32\(-?1\);$|the two fields written so, a BMP's reserved words and an info header's colours important, are read by no reader of BMPs, icons or cursors
src/platform/fault_switches.cpp|~BRACKMER_FAULT_|only the test builds compile it: the shipped saver is the same, and the rows check what the saver does when the fault comes, not on which tick
EOF
)

# ---- Hand-written mutants. id | files (glob under the source root) | sed script
# The ids name what a user would meet if the change went unnoticed. An id that starts with
# "=" is an equivalent mutant (no behaviour changes): it is run but left out of the rates.
hand_mutants=$(cat <<'EOF'
nearest-search-start|src/battle/battle_tick.cpp|s/Mul32(b.scrWidth, 100)/Mul32(b.scrWidth, 1)/
placement-draws-swapped|src/battle/battle_tick.cpp|-z s/\(candidate.x = [^\n]*\)\n\( *\)\(candidate.y = [^\n]*\)/\3\n\2\1/
placement-spacing-bound|src/battle/battle_tick.cpp|s/Distance(candidate, At(b.shipPos, j)) < minimum/Distance(candidate, At(b.shipPos, j)) <= minimum/
placement-ignores-own-spot|src/battle/battle_tick.cpp|s/j <= k \&\& free/j < k \&\& free/
placement-first-coordinate|src/battle/battle_tick.cpp|s/std::floor(double(r) \* double(range))), 1)/std::floor(double(r) * double(range))), 0)/
heading-right-up-bound|src/battle/battle_tick.cpp|s/angle < kRightUpBound/angle <= kRightUpBound/
heading-left-down-bound|src/battle/battle_tick.cpp|s/angle < kLeftDownBound/angle <= kLeftDownBound/
heading-down-right-bound|src/battle/battle_tick.cpp|s/angle < kDownRightBound) return kDown/angle <= kDownRightBound) return kDown/
heading-lower-half|src/battle/battle_tick.cpp|s/if (target.y > pos.y) angle/if (target.y < pos.y) angle/
firing-range-bound|src/battle/battle_tick.cpp|s/best < double(b.charDiag)/best <= double(b.charDiag)/
nearest-tie-takes-later|src/battle/battle_tick.cpp|s/if (d < best) {/if (d <= best) {/
target-placing-counted|src/battle/battle_tick.cpp|s/other.mode <= kPlacing/other.mode < kPlacing/
target-exploding-counted|src/battle/battle_tick.cpp|s/other.mode >= kExploding/other.mode > kExploding/
sailing-step-size|src/battle/battle_tick.cpp|s/b.charWidth \/ 10.0/b.charWidth \/ 9.0/
edge-clamp-right-dropped|src/battle/battle_tick.cpp|s/if (pos.x > maxX) pos.x = maxX;//
edge-clamp-bottom-bound|src/battle/battle_tick.cpp|s/const int32_t maxY = Sub32(b.scrHeight, b.charHeight);/const int32_t maxY = Sub32(b.scrHeight, b.charWidth);/
shot-roll-number|src/battle/battle_tick.cpp|s/roll == 7.0f/roll == 6.0f/
shot-roll-in-double|src/battle/battle_tick.cpp|s/random.Next() \* 10.0f/random.Next() * 10.0/
flash-not-toggled|src/battle/battle_tick.cpp|s/self.flash = int16_t(~self.flash);/self.flash = -1;/
explosion-frames|src/battle/battle_tick.cpp|s/self.expCount = 3;/self.expCount = 2;/
explosion-end|src/battle/battle_tick.cpp|s/if (self.expCount == 0)/if (self.expCount <= 1)/
diagonal-truncated|src/battle/battle_state.cpp|s/platform::ToInt32(std::sqrt(w \* w + h \* h))/int32_t(std::sqrt(w * w + h * h))/
cell-height-horizontal-factor|src/battle/battle_state.cpp|s/TwipsToPixels(m.charHeightTw, m.twipsPerPixelY)/TwipsToPixels(m.charHeightTw, m.twipsPerPixelX)/
screen-height-horizontal-factor|src/battle/battle_state.cpp|s/TwipsToPixels(m.screenHeightTw, m.twipsPerPixelY)/TwipsToPixels(m.screenHeightTw, m.twipsPerPixelX)/
fleet-side-bound|src/battle/battle_state.cpp|s/k <= b.redCount ? 0 : 1/k < b.redCount ? 0 : 1/
fleet-size-guard|src/battle/battle_state.cpp|s/std::clamp<int16_t>(stored, 0, kMaxFleetSize)/std::clamp<int16_t>(stored, 0, kMaxFleetSize + 1)/
picture-flash-ignored|src/assets/sprite_art.cpp|s/firing ? 1 : 0/0/
picture-range-battle|src/assets/sprite_art.h|s/number > kShipPictureCount)/number > kShipPictureCount + 1)/
frame-placing-drawn|src/battle/frame_composer.cpp|s/ship.mode <= kPlacing) continue/ship.mode < kPlacing) continue/
frame-explosion-over-firing|src/battle/frame_composer.cpp|s/if (ship.mode == kExploding)/if (ship.mode >= kFiring)/
frame-desktop-for-unknown|src/battle/frame_composer.cpp|s/b.background == settings::kDesktop/b.background != settings::kPlainBlue/
tick-frame-before-ships|src/battle/saver_session.cpp|-z s/\(for (BattleScreen\& s : screens_) StepShips[^\n]*\)\n\( *\)\(for (BattleScreen\& s : screens_) ComposeFrame[^\n]*\)/\3\n\2\1/
tick-nested-guard-dropped|src/battle/saver_session.cpp|s/if (!IsRunning() || inTick_) return Current();/if (!IsRunning()) return Current();/
tick-cursor-not-kept|src/battle/saver_session.cpp|s/primary.lastCursor = \*cursor;/primary.lastCursor = primary.lastCursor;/
session-cursor-axes-swapped|src/battle/saver_session.cpp|s/\*cursor, twipsPerPixelX_, twipsPerPixelY_)/*cursor, twipsPerPixelY_, twipsPerPixelX_)/
session-unreadable-cursor-kept-as-baseline|src/battle/saver_session.cpp|s/cursorUnknown_ = !cursor;/cursorUnknown_ = false;/
session-lost-display-logged|src/battle/saver_session.cpp|s/if (graphics::IsDisplayLost(error.PlatformResult())) return End(Decision::kEndQuietly);//
session-close-not-held|src/battle/saver_session.cpp|s/if (!started_) {/if (false) {/
session-display-status-ignored|src/battle/visibility.cpp|s/sessionOff_ = notice.value == kDisplayOff;/consoleOff_ = notice.value == kDisplayOff;/
cursor-jump-bound|src/battle/cursor_check.cpp|s/double(dx) > AllowedPixels/double(dx) >= AllowedPixels/
cursor-vertical-factor|src/battle/cursor_check.cpp|s/AllowedPixels(twipsPerPixelY)/AllowedPixels(twipsPerPixelX)/
cursor-limit-float-error|src/battle/cursor_check.cpp|s/ + 1e-3)/)/
=clip-right-edge|src/graphics/clip.cpp|s/Add32(r.x, r.w) > r.dw/Add32(r.x, r.w) >= r.dw/
clip-left-edge|src/graphics/clip.cpp|s/if (r.x < 0) {/if (r.x < -1) {/
clip-negative-source|src/graphics/clip.cpp|s/if (r.sx < 0) {/if (r.sx < -1) {/
number-upper-case-exponent|src/platform/numbers.cpp|s/text\[i\] == 'e' || text\[i\] == 'E'/text[i] == 'e'/
number-exponent-without-digits|src/platform/numbers.cpp|s/if (expDigits) { out += exp; i = j; }/{ out += exp; i = j; }/
number-blanks-inside|src/platform/numbers.cpp|0,/(IsDigit(text\[i\]) || IsBlank(text\[i\]))/s//(IsDigit(text[i]))/
round-half-down|src/platform/numbers.cpp|s/if (diff < 0.5) return floor;/if (diff <= 0.5) return floor;/
round-half-odd|src/platform/numbers.cpp|s/== 0.0 ? floor : floor + 1.0/== 0.0 ? floor + 1.0 : floor/
width-limit|src/platform/numbers.cpp|s/v > std::numeric_limits<T>::max()/v > std::numeric_limits<T>::max() + int64_t{1}/
stored-number-whole-text|src/platform/numbers.cpp|s/if (number.empty() || used != text.size()) return std::nullopt;/if (number.empty()) return std::nullopt;/
version-text-revision-width|src/platform/version.cpp|s/%04d/%03d/
version-label-minor-ten|src/settings/config_rules.cpp|s/minor < 10/minor <= 10/
version-label-hundreds-zero|src/settings/config_rules.cpp|s/if (hundreds > 0)/if (hundreds >= 0)/
version-label-revision-999|src/settings/config_rules.cpp|s/revision > 999/revision >= 999/
count-text-fifteen-kept|src/settings/config_rules.cpp|0,/if (n > kMaxCount)/s//if (n >= kMaxCount)/
count-stored-floored|src/settings/config_rules.cpp|/^int16_t CountFromText/,/^}/s/RoundedLeadingNumber(text)/double(int64_t(platform::LeadingNumber(text)))/
count-text-two-kept|src/settings/config_rules.cpp|0,/if (!(n >= kMinCount))/s//if (!(n > kMinCount))/
settings-read-order|src/settings/settings_store.cpp|s/ReadInt16(store, "BlueCount", defaults.blueCount)/ReadInt16(store, "RedCount", defaults.blueCount)/
command-line-switch-case|src/startup/command_line.cpp|s/sw == "\/s" || sw == "\/S"/sw == "\/s"/
dialog-owner-zero-handle|src/startup/command_line.cpp|s/digits == 0 || value == 0 || /digits == 0 || /
dialog-owner-trailing-junk|src/startup/command_line.cpp|s/ || i != rest.size())/)/
dialog-owner-beyond-32-bits|src/startup/command_line.cpp|s/if (value > UINT32_MAX)/if (value > UINT32_MAX + 1ull)/
dialog-over-owner-off-area|src/settings/config_rules.cpp|s/at = std::min<int64_t>(at, int64_t{areaStart} + areaSpan - size);//
dialog-over-owner-caption-lost|src/settings/config_rules.cpp|s/std::max<int64_t>(at, areaStart)/at/
full-width-nine-ignored|src/settings/config_rules.cpp|s/b2 <= 0x99/b2 < 0x99/
full-width-stop-as-minus|src/settings/config_rules.cpp|s/b2 == 0x8D ? '-' : '.'/'-'/
bitmap-resource-number|src/assets/sprite_resources_win32.cpp|s/CheckShipPictureNumber(number) - 1,/CheckShipPictureNumber(number),/
log-folder-drive-root|src/platform/runtime_win32.cpp src/platform/paths.cpp|s/folder += L'\\\\';/(void)0;/;s/folder += '\\\\';/(void)0;/
registry-dword-as-text|src/settings/registry_store_win32.cpp|s/if (type != REG_SZ \&\& type != REG_EXPAND_SZ) return std::nullopt;//
registry-save-type|src/settings/registry_store_win32.cpp|s/REG_SZ, reinterpret_cast<const BYTE\*>(data.c_str())/REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(data.c_str())/
registry-save-section|src/settings/registry_store_win32.cpp|/^void RegistryStore::Save/,/^}/s/root_ + L"\\\\" + platform::Widen(section)/root_ + platform::Widen(section)/
form-quit-dropped|src/platform/form_win32.cpp|s/            PostQuitMessage(static_cast<int>(msg.wParam));//
form-unload-on-destroy|src/platform/form_win32.cpp|/case WM_DESTROY/,/return 0/s/            RunUnloadOnce();//
saver-lock-ignored|src/startup/saver_main_win32.cpp|s/if (!process.saverLock || GetLastError() == ERROR_ALREADY_EXISTS)/if (!process.saverLock)/
version-resource-revision|src/platform/runtime_win32.cpp|s/LOWORD(info.dwFileVersionLS)/HIWORD(info.dwFileVersionLS)/
log-line-ending|src/platform/runtime_win32.cpp|s/std::string(line) + "\\r\\n"/std::string(line) + "\\n"/
screen-height-twips-factor|src/platform/runtime_win32.cpp src/platform/screen_metrics.cpp|s/SM_CYSCREEN)) \* t.twipsPerPixelY/SM_CYSCREEN)) * t.twipsPerPixelX/;s/heightPx) \* t.twipsPerPixelY/heightPx) * t.twipsPerPixelX/
pixel-not-restored|src/graphics/dx7_ddraw_support_win32.cpp|s/SetPixel(dc, 0, 0, kept);//;s/SetPixel(dc.get(), 0, 0, kept_);//
window-rect-owner|src/graphics/dx7_ddraw_support_win32.cpp|s/if (GetParent(window_))/if (!GetParent(window_))/
give-back-runs-twice|src/graphics/dx7_ddraw_support_win32.cpp|s/if (std::exchange(givenBack_, true)) return;/givenBack_ = true;/
blit-key-flags-swapped|src/graphics/dx7_ddraw_support_win32.cpp|s/useKey ? DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT : DDBLTFAST_WAIT/useKey ? DDBLTFAST_WAIT : DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT/
colour-key-not-first-pixel|src/graphics/dx7_ddraw_support_win32.cpp|s/std::memcpy(\&value, desc.lpSurface, sizeof value);/std::memcpy(\&value, static_cast<const char*>(desc.lpSurface) + 4, sizeof value);/
take-ignores-give-back-in-messages|src/graphics/dx7_ddraw_support_win32.cpp|s/if (display->givenBack_) {/if (false) {/
give-back-keeps-cursor-hidden|src/graphics/dx7_ddraw_support_win32.cpp|s/if (std::exchange(cursorHidden_, false)) ShowCursor(TRUE);//
mode-changed-when-already-set|src/graphics/display_mode.cpp|s/current->bitsPerPixel != wanted.bitsPerPixel/current->bitsPerPixel == wanted.bitsPerPixel/
lost-display-misses-exclusive-mode|src/graphics/result_codes.cpp|s/ || result == kNoExclusiveMode//
live-slot-kept-after-give-back|src/graphics/dx7_ddraw_support_win32.cpp|s/if (live_ == this) live_ = nullptr;//
sprites-loaded-at-scale-one|src/assets/sprite_resources_win32.cpp|s/sprites.push_back({number, LoadShipPicture(number, scale)})/sprites.push_back({number, LoadShipPicture(number, 1)})/
EOF
)

copy=$build/mutation-src        # the tree the mutants are applied to
mbuild=$build/mutation-build    # its build, configured once and rebuilt incrementally
wine_dir=$build/mutation-wine   # its Wine session (the copy's tests are configured with it)
gen=$root/scripts/mutants.py
export BRACKMER_DISPLAY_BASE=${MUTATE_DISPLAY_BASE:-300}
if [ $mode = generated ]; then log=$build/mutants-generated.txt; else log=$build/mutants.txt; fi
blog=$build/mutate-build.log tlog=$build/mutate-test.log

# The copy and its build are one run's state: a second run on the same BUILD waits its turn.
lock=$build/mutation.lock
if ! mkdir "$lock" 2>/dev/null && kill -0 "$(cat "$lock/pid" 2>/dev/null)" 2>/dev/null; then
  echo "another mutation run uses $build" >&2; exit 2
fi
echo $$ >"$lock/pid"
session_up=0
start_session() {
  [ $session_up = 1 ] && return 0
  "$root/scripts/wine-session.sh" start "$wine_dir" >/dev/null 2>&1 || return 1
  session_up=1
}
stop_session() {
  [ $session_up = 1 ] && "$root/scripts/wine-session.sh" stop "$wine_dir" >/dev/null 2>&1
  session_up=0
}
current="" backup=$build/mutation-original
cleanup() {
  [ -n "$current" ] && cp "$backup" "$copy/$current"
  stop_session
  rm -rf "$lock"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
say() { printf '%s\n' "$*" | tee -a "$log"; }

equivalent_reason() {  # FILE MUTATED-LINE ORIGINAL-LINE: the why of a listed equivalent mutant
  local entry rest line
  while IFS= read -r entry; do
    rest=${entry#*|} line=${rest%|*}
    [ "${entry%%|*}" = "$1" ] || continue
    case $line in
      \~*) [[ $3 =~ ${line#\~} ]] || continue ;;
      =*) [[ $2 =~ ${line#=} ]] || continue ;;
      *) [ "$line" = "$2" ] || continue ;;
    esac
    echo "${rest##*|}"; return
  done <<<"$equivalent_table"
}
e2e_for() { awk -F'|' -v f="$1" '$1 == f { sub(/^[^|]*[|]/, ""); print; exit }' <<<"$e2e_table"; }
side_of() { if [[ $1 == *_win32.* ]]; then echo windows; else echo core; fi; }

# ---- Building and testing the copy. Each test step sets $why to what caught the mutant.
build_side() {  # side [e2e]: the Windows tree is built whole, as the .scr compiles files no test does
  if [ "$1" = core ]; then
    cmake --build "$mbuild" -j2 --target "${native_targets[@]}" >"$blog" 2>&1 || return 1
    [ -z "${2:-}" ] || cmake --build "$mbuild/windows" -j2 >>"$blog" 2>&1
  else
    cmake --build "$mbuild/windows" -j2 >"$blog" 2>&1
  fi
}
# run_programs LIMIT LABEL PROGRAM...: each GoogleTest program in turn; the first that fails
# or times out names the catch.
run_programs() {
  local limit=$1 label=$2 exe rc; shift 2
  for exe; do
    timeout -k 5 "$limit" "$exe" --gtest_brief=1 >"$tlog" 2>&1; rc=$?
    [ $rc = 0 ] && continue
    why=${exe##*/}$label; [ $rc = 124 ] && why+=" (time-out)"
    return 1
  done
}
run_native() { run_programs "$native_limit" "" "${native_programs[@]}"; }
# A core mutant the plain tests miss gets a second look in a checked copy (sanitizers and the
# standard library's assertions, as scripts/test.sh runs): a read past an end that happens
# to pass is a fault those tests already catch. Configured and built on first use only.
cbuild=$build/mutation-checked
run_checked() {
  if [ ! -f "$cbuild/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$copy" -B "$cbuild" -DBRACKMER_CHECKED=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      >>"$blog" 2>&1 || return 0
  fi
  cmake --build "$cbuild" -j2 --target "${native_targets[@]}" >>"$blog" 2>&1 || return 0
  local -a checked
  mapfile -t checked < <(python3 "$gen" native-tests "$cbuild")
  run_programs $((3 * native_limit)) " (checked)" "${checked[@]}"
}
run_windows() {
  start_session || { echo "no Wine session" >&2; exit 2; }
  timeout -k 10 "$windows_limit" ctest --test-dir "$mbuild/windows" --stop-on-failure >"$tlog" 2>&1
  local rc=$?
  [ $rc = 0 ] && return 0
  why=$(grep -m1 -E '\*\*\*|Failed|Timeout' "$tlog" | sed 's/.*Test *#[0-9]*: \([^ ]*\).*/\1/')
  [ -n "$why" ] || why=$(sed -n 's/.*Start *[0-9]*: \([^ ]*\).*/\1/p' "$tlog" | tail -1)
  # A hung test leaves Wine processes behind: the next mutant gets a fresh session.
  [ $rc = 124 ] && { why+=" (time-out)"; stop_session; }
  return 1
}
declare -A e2e_limit=()
run_e2e() {
  start_session || { echo "no Wine session" >&2; exit 2; }
  timeout -k 10 "${e2e_limit[$1]:-900}" ctest --test-dir "$mbuild" -R "^($1)\$" -FS "^wine$" -FC "^wine$" \
    --no-tests=error --output-on-failure >"$tlog" 2>&1
  local rc=$?
  [ $rc = 0 ] && return 0
  why=$1; [ $rc = 124 ] && { why+=" (time-out)"; stop_session; }
  return 1
}
# time_e2e FILE...: the end-to-end tests these files need, run once without mutants (a test
# that fails already would kill every mutant) and timed for their limits.
time_e2e() {
  [ -z "${DRY:-}" ] || return 0
  local f e t
  for f in "$@"; do
    e=$(e2e_for "$f")
    [ -n "$e" ] && [ -z "${e2e_limit[$e]:-}" ] || continue
    t=$SECONDS
    run_e2e "$e" || run_e2e "$e" || { echo "$e fails twice without mutants: $tlog" >&2; exit 2; }
    e2e_limit[$e]=$((3 * (SECONDS - t) + 60))
  done
}
# run_mutant SIDE FILE: sets $result (killed, SURVIVED, unbuildable) and $why.
run_mutant() {
  local side=$1 e2e; e2e=$(e2e_for "$2")
  why=""
  if ! build_side "$side" "$e2e"; then result=unbuildable; return; fi
  result=killed
  if [ "$side" = core ]; then run_native && run_checked && result=SURVIVED; else run_windows && result=SURVIVED; fi
  # A row fails now and then under load: it kills a mutant only when it fails twice.
  [ $result = SURVIVED ] && [ -n "$e2e" ] && { run_e2e "$e2e" || run_e2e "$e2e" || result=killed; }
}

# ---- The copy, built and passing without mutants, or every mutant would look killed.
mkdir -p "$copy"
python3 "$gen" sync "$root" "$copy" || exit 2
if [ -z "${DRY:-}" ]; then
  # Every end-to-end row in the one session this script starts (a single lane).
  if [ ! -f "$mbuild/CMakeCache.txt" ] || ! grep -q '^BRACKMER_WINE_LANES:STRING=1$' "$mbuild/CMakeCache.txt"; then
    cmake -S "$copy" -B "$mbuild" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRACKMER_WINE_DIR="$wine_dir" \
      -DBRACKMER_DIST_DIR="$mbuild/dist" -DBRACKMER_WINE_LANES=1 >"$blog" 2>&1 ||
      { echo "the copy does not configure: $blog" >&2; exit 2; }
  fi
  cmake --build "$mbuild" -j2 >"$blog" 2>&1 || { echo "the tree does not build: $blog" >&2; exit 2; }
  mapfile -t native_programs < <(python3 "$gen" native-tests "$mbuild")
  native_targets=("${native_programs[@]##*/}")
  native_limit=600 windows_limit=1200
  t=$SECONDS; run_native || { echo "native tests fail without mutants: $why" >&2; exit 2; }
  native_limit=$((3 * (SECONDS - t) + 30))
  t=$SECONDS; run_windows || { echo "Windows unit tests fail without mutants: $why" >&2; exit 2; }
  windows_limit=$((3 * (SECONDS - t) + 60))
fi
: >"$log"
[ -n "${DRY:-}" ] || say "native programs: ${native_targets[*]}"

declare -A killed=() total=() unbuildable=() equivalent=() absent=() seconds=() runs=()
survivors=()
# count SIDE RESULT SECONDS [equivalent]
count() {
  local side=$1 result=$2
  [ "$result" = absent ] || { seconds[$side]=$(( ${seconds[$side]:-0} + $3 )); runs[$side]=$(( ${runs[$side]:-0} + 1 )); }
  case $result in
    unbuildable) unbuildable[$side]=$(( ${unbuildable[$side]:-0} + 1 )) ;;
    absent) absent[$side]=$(( ${absent[$side]:-0} + 1 )) ;;
    *) if [ -n "${4:-}" ]; then equivalent[$side]=$(( ${equivalent[$side]:-0} + 1 ))
       else
         total[$side]=$(( ${total[$side]:-0} + 1 ))
         [ "$result" = killed ] && killed[$side]=$(( ${killed[$side]:-0} + 1 ))
       fi ;;
  esac
}

if [ $mode = hand ]; then
  time_e2e $(awk -F'|' -v only="$only" '$1 ~ only { print $2 }' <<<"$hand_mutants")
  while IFS='|' read -r id globs script; do
    [ -n "$id" ] || continue
    [[ $id =~ $only ]] || continue
    flags=()
    if [[ $script == -z\ * ]]; then flags=(-z); script=${script#-z }; fi
    target="" first=""
    for f in $globs; do
      first=${first:-$f}
      [ -f "$copy/$f" ] || continue
      if ! sed "${flags[@]}" "$script" "$copy/$f" | cmp -s - "$copy/$f"; then target=$f; break; fi
    done
    side=$(side_of "${target:-$first}")
    if [ -z "$target" ]; then
      # Its code has moved: the mutant is not run, and says so in the rates.
      say "$(printf '%-34s %-8s absent (%s)' "$id" "$side" "$globs")"
      count "$side" absent 0
      continue
    fi
    if [ -n "${DRY:-}" ]; then printf '%-34s %-8s applies to %s\n' "$id" "$side" "$target"; continue; fi
    t=$SECONDS
    cp "$copy/$target" "$backup"; current=$target
    sed -i "${flags[@]}" "$script" "$copy/$target"
    run_mutant "$side" "$target"
    cp "$backup" "$copy/$target"; current=""
    if [[ $id == =* ]]; then
      [ $result = SURVIVED ] && result=equivalent
      count "$side" "$result" $((SECONDS - t)) equivalent
    else
      count "$side" "$result" $((SECONDS - t))
      [ $result = SURVIVED ] && survivors+=("$id ($target)")
    fi
    say "$(printf '%-34s %-8s %s (%s)%s' "$id" "$side" "$result" "$target" "${why:+ by $why}")"
  done <<<"$hand_mutants"
else
  files=()
  if (($#)); then
    for f in "$@"; do f=$(realpath -m --relative-to="$root" "$f"); files+=("$f"); done
  else
    mapfile -t files < <(git -C "$root" diff --name-only "${MUTATE_BASE:-HEAD~1}" -- \
      ':(glob)src/**/*.cpp' ':(glob)src/**/*.h' | while read -r f; do [ -f "$root/$f" ] && echo "$f"; done)
  fi
  ((${#files[@]})) || { echo "no source files to mutate" >&2; exit 2; }
  declare -A want=([core]=${SAMPLE_CORE:-${SAMPLE:-40}} [windows]=${SAMPLE_WINDOWS:-${SAMPLE:-40}}) ran=() all=()
  all_list=$build/mutants-all.tsv
  seed=${SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
  (cd "$copy" && python3 "$gen" generate --seed "$seed" "${files[@]}") >"$all_list" || exit 2
  while IFS=$'\t' read -r id file line op original mutated; do
    side=$(side_of "$file"); all[$side]=$(( ${all[$side]:-0} + 1 ))
  done <"$all_list"
  say "files: ${files[*]}"
  say "generated: core ${all[core]:-0}, windows ${all[windows]:-0}; seed $seed (SEED=$seed repeats this run)"
  time_e2e "${files[@]}"
  while IFS=$'\t' read -r id file line op original mutated; do
    side=$(side_of "$file")
    [[ "$file:$line  $op" =~ $only ]] || continue
    (( ${ran[$side]:-0} < ${want[$side]} )) || continue
    if [ -n "${DRY:-}" ]; then
      ran[$side]=$(( ${ran[$side]:-0} + 1 ))
      printf '%-8s %s:%s  %s\n    - %s\n    + %s\n' "$side" "$file" "$line" "$op" "$original" "$mutated"
      continue
    fi
    t=$SECONDS
    cp "$copy/$file" "$backup"; current=$file
    M="$mutated" awk -v n="$line" 'NR == n { print ENVIRON["M"]; next } { print }' "$backup" >"$copy/$file"
    run_mutant "$side" "$file"
    cp "$backup" "$copy/$file"; current=""
    trimmed=$(sed 's/^ *//;s/ *$//' <<<"$mutated")
    reason=$(equivalent_reason "$file" "$trimmed" "$(sed 's/^ *//;s/ *$//' <<<"$original")")
    [ $result = unbuildable ] || ran[$side]=$(( ${ran[$side]:-0} + 1 ))
    if [ -n "$reason" ] && [ $result != unbuildable ]; then
      [ $result = SURVIVED ] && result=equivalent
      count "$side" "$result" $((SECONDS - t)) equivalent
      why=${why:-$reason}
    else
      count "$side" "$result" $((SECONDS - t))
    fi
    entry=$(printf '%s:%s  %s\n    - %s\n    + %s' "$file" "$line" "$op" "$original" "$mutated")
    [ $result = SURVIVED ] && survivors+=("$entry")
    [ $result = equivalent ] && survivors+=("$entry"$'\n'"    (equivalent: $reason)")
    say "$(printf '%-11s %-8s %4ds  %s:%s  %s%s' "$result" "$side" $((SECONDS - t)) "$file" "$line" "$op" "${why:+  by $why}")"
  done <"$all_list"
fi
[ -n "${DRY:-}" ] && exit 0

if ((${#survivors[@]})); then
  say ""; say "survivors:"
  for s in "${survivors[@]}"; do say "$s"; done
fi
say ""
for side in core windows; do
  n=${runs[$side]:-0}
  [ "$n" -gt 0 ] || [ "${absent[$side]:-0}" -gt 0 ] || continue
  t=${total[$side]:-0} k=${killed[$side]:-0}
  say "$(printf '%-8s %d of %d killed (%d %%); %d unbuildable, %d equivalent, %d absent; %d s in all, %d s a mutant' \
    "$side" "$k" "$t" $(( t ? 100 * k / t : 0 )) "${unbuildable[$side]:-0}" "${equivalent[$side]:-0}" \
    "${absent[$side]:-0}" "${seconds[$side]:-0}" $(( n ? ${seconds[$side]:-0} / n : 0 )))"
done
exit 0
}
