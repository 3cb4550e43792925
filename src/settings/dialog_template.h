// Reads the rectangles out of an extended dialog template (the binary DIALOGEX resource):
// the settings dialog keeps its designed layout there, in pixels at 96 dpi, and places its
// controls from it. Portable: works on the resource's bytes, tested natively.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace settings {

struct TemplateRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const TemplateRect&) const = default;
};

struct TemplateControl {
    int id = 0;
    TemplateRect rect;
    bool operator==(const TemplateControl&) const = default;
};

struct DialogTemplateLayout {
    TemplateRect dialog;
    std::vector<TemplateControl> controls;  // in template order, which is the focus order
};

// Throws platform::RuntimeError when the bytes are not a whole extended template.
DialogTemplateLayout ReadDialogTemplateLayout(std::span<const uint8_t> bytes);

}  // namespace settings
