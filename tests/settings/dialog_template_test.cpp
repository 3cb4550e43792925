// Reading the designed rectangles back out of an extended dialog template: templates are
// built here byte by byte as windres lays them out, with the parts that shift everything
// after them (font block, class and text as names or ordinals, creation data, padding).
#include "settings/dialog_template.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime_error.h"

namespace settings {
namespace {

class TemplateBytes {
public:
    TemplateBytes& Word(uint16_t v) {
        bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    TemplateBytes& Dword(uint32_t v) { return Word(static_cast<uint16_t>(v)).Word(static_cast<uint16_t>(v >> 16)); }
    TemplateBytes& Text(const std::u16string& s) {
        for (char16_t c : s) Word(c);
        return Word(0);
    }
    TemplateBytes& Ordinal(uint16_t v) { return Word(0xFFFF).Word(v); }
    TemplateBytes& Rect(int x, int y, int w, int h) {
        return Word(static_cast<uint16_t>(x)).Word(static_cast<uint16_t>(y)).Word(static_cast<uint16_t>(w)).Word(
            static_cast<uint16_t>(h));
    }
    TemplateBytes& Align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
        return *this;
    }
    TemplateBytes& Bytes(std::vector<uint8_t> more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    // The fixed head: version 1, the extended signature, then help id, ex-style, style.
    TemplateBytes& Head(uint32_t style, uint16_t count) {
        return Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(style).Word(count);
    }
    // One item's fixed part: help id, ex-style, style, rectangle, id.
    TemplateBytes& Item(int id, int x, int y, int w, int h) {
        return Align().Dword(0).Dword(0x200).Dword(0x50010000).Rect(x, y, w, h).Dword(static_cast<uint32_t>(id));
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

constexpr uint32_t kSetFont = 0x40;

TEST(ReadDialogTemplateLayout, FindsEveryRectangleWhateverShiftsTheRecords) {
    TemplateBytes t;
    t.Head(kSetFont, 6).Rect(0, 0, 280, 212);
    t.Word(0).Text(u"MyClass").Text(u"Title");                                     // no menu, class by name
    // Font block, upright and ANSI: a zero word that would end a name read from the block's
    // start; read one byte off, the Latin "S" and the ideographic space would end the name.
    t.Word(12).Word(400).Bytes({0, 0}).Text(u"MS\u3000Gothic");
    t.Item(100, 10, 7, 155, 24).Ordinal(0x82).Text(u"Odd").Word(0);                // odd-length text: padding
    t.Item(103, 123, 46, 30, 30).Text(u"Edit").Ordinal(7).Word(3).Bytes({1, 2, 3});  // creation data
    t.Item(1, -5, 174, 81, 33).Ordinal(0x80).Text(u"").Word(0);                     // empty text, negative x
    t.Item(108, 36, 91, 205, 68).Text(u"msctls_updown32").Text(u"背景").Word(0);
    // Names whose first character has one byte 0xFF are names, not the ordinal mark FF FF.
    t.Item(109, 1, 2, 3, 4).Text(u"\u01FFclass").Text(u"\u00FF").Word(0);
    t.Item(110, 5, 6, 7, 8).Text(u"\uFF21").Text(u"\u30FF\u00FF").Word(0);

    DialogTemplateLayout layout = ReadDialogTemplateLayout(t.bytes());
    EXPECT_EQ(layout.dialog, (platform::Rect{0, 0, 280, 212}));
    std::vector<TemplateControl> want{{100, {10, 7, 155, 24}},
                                      {103, {123, 46, 30, 30}},
                                      {1, {-5, 174, 81, 33}},
                                      {108, {36, 91, 205, 68}},
                                      {109, {1, 2, 3, 4}},
                                      {110, {5, 6, 7, 8}}};
    EXPECT_EQ(layout.controls, want);
}

TEST(ReadDialogTemplateLayout, WithoutAFontBlockTheItemsFollowTheCaption) {
    TemplateBytes t;
    t.Head(0, 1).Rect(3, 4, 50, 60);
    t.Ordinal(5).Ordinal(0x8002).Text(u"Ab");  // menu and class as ordinals
    t.Item(7, 1, 2, 3, 4).Ordinal(0x81).Ordinal(9).Word(0);
    DialogTemplateLayout layout = ReadDialogTemplateLayout(t.bytes());
    EXPECT_EQ(layout.dialog, (platform::Rect{3, 4, 50, 60}));
    ASSERT_EQ(layout.controls.size(), 1u);
    EXPECT_EQ(layout.controls[0], (TemplateControl{7, {1, 2, 3, 4}}));
}

TEST(ReadDialogTemplateLayout, RefusesOldStyleAndCutTemplates) {
    TemplateBytes old;
    old.Word(0).Word(0).Dword(0).Dword(0).Word(0);
    EXPECT_THROW(ReadDialogTemplateLayout(old.bytes()), platform::RuntimeError);

    TemplateBytes whole;
    whole.Head(0, 1).Rect(0, 0, 10, 10).Word(0).Word(0).Text(u"T");
    whole.Item(5, 1, 1, 1, 1).Ordinal(0x80).Text(u"x").Word(2).Bytes({9, 9});
    ASSERT_NO_THROW(ReadDialogTemplateLayout(whole.bytes()));
    // The version and the signature both: either alone marks no extended template.
    for (const auto& [at, value] : {std::pair{0, 2}, std::pair{2, 0xFE}}) {
        std::vector<uint8_t> marked(whole.bytes().begin(), whole.bytes().end());
        marked[size_t(at)] = uint8_t(value);
        EXPECT_THROW(ReadDialogTemplateLayout(marked), platform::RuntimeError) << at;
    }
    // Cut anywhere, even inside the last item's creation data, it is refused.
    for (size_t size = 0; size < whole.bytes().size(); ++size) {
        std::vector<uint8_t> cut(whole.bytes().begin(), whole.bytes().begin() + static_cast<long>(size));
        EXPECT_THROW(ReadDialogTemplateLayout(cut), platform::RuntimeError) << size;
    }
}

}  // namespace
}  // namespace settings
