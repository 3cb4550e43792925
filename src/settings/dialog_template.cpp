// Extended dialog template reader; see dialog_template.h. The layout of the bytes is the
// platform's DLGTEMPLATEEX followed by DLGITEMTEMPLATEEX records, little-endian, each
// record starting on a 4-byte boundary of the template.
#include "settings/dialog_template.h"

#include "platform/runtime_error.h"

namespace settings {
namespace {

constexpr uint32_t kDsSetFont = 0x40;  // the template carries a font block

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint16_t Word() {
        Need(2);
        uint16_t v = static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    int Short() { return static_cast<int16_t>(Word()); }
    void Skip(size_t n) {
        Need(n);
        pos_ += n;
    }
    void SkipString() {
        while (Word() != 0) {
        }
    }
    // A name or an ordinal: 0xFFFF and a number, or a string (empty for none).
    void SkipNameOrOrdinal() {
        Need(2);
        if (bytes_[pos_] == 0xFF && bytes_[pos_ + 1] == 0xFF) {
            Skip(4);
        } else {
            SkipString();
        }
    }
    platform::Rect Rect() {
        platform::Rect r;
        r.left = Short();
        r.top = Short();
        r.width = Short();
        r.height = Short();
        return r;
    }
    void AlignToDword() { Skip((4 - pos_ % 4) % 4); }

private:
    void Need(size_t n) const {
        if (bytes_.size() - pos_ < n)
            throw platform::RuntimeError(platform::RuntimeError::kPlatformCall, "Dialog template is truncated");
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

}  // namespace

DialogTemplateLayout ReadDialogTemplateLayout(std::span<const uint8_t> bytes) {
    Reader in(bytes);
    uint16_t version = in.Word();
    uint16_t signature = in.Word();
    if (version != 1 || signature != 0xFFFF)
        throw platform::RuntimeError(platform::RuntimeError::kPlatformCall, "Not an extended dialog template");
    in.Skip(8);  // help id, extended style
    uint32_t style = in.Dword();
    int count = in.Word();
    DialogTemplateLayout layout;
    layout.dialog = in.Rect();
    in.SkipNameOrOrdinal();  // menu
    in.SkipNameOrOrdinal();  // window class
    in.SkipString();         // caption
    if (style & kDsSetFont) {
        in.Skip(6);  // point size, weight, italic, character set
        in.SkipString();
    }
    for (int i = 0; i < count; ++i) {
        in.AlignToDword();
        in.Skip(12);  // help id, extended style, style
        TemplateControl control;
        control.rect = in.Rect();
        control.id = static_cast<int>(in.Dword());
        in.SkipNameOrOrdinal();  // class
        in.SkipNameOrOrdinal();  // text
        in.Skip(in.Word());      // creation data
        layout.controls.push_back(control);
    }
    return layout;
}

}  // namespace settings
