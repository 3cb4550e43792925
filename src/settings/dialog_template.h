// Reads the rectangles out of an extended dialog template (the binary DIALOGEX resource):
// the settings dialog keeps its designed layout there, in pixels at 96 dpi, and places its
// controls from it. Portable: works on the resource's bytes, tested natively.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/geometry.h"

namespace settings {

struct TemplateControl {
    int id = 0;
    platform::Rect rect;
    bool operator==(const TemplateControl&) const = default;
};

struct DialogTemplateLayout {
    platform::Rect dialog;
    std::vector<TemplateControl> controls;  // in template order, which is the focus order
};

// Throws platform::RuntimeError when the bytes are not a whole extended template.
DialogTemplateLayout ReadDialogTemplateLayout(std::span<const uint8_t> bytes);

}  // namespace settings
