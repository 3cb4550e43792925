// Fuzz target: the dialog template reader on any bytes. It may only refuse them with the
// program's one run-time error; what it reads never holds more controls than the bytes
// have room for (each control takes 24 bytes at least).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/runtime_error.h"
#include "settings/dialog_template.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const settings::DialogTemplateLayout layout = settings::ReadDialogTemplateLayout({data, size});
        if (layout.controls.size() * 24 > size) std::abort();
    } catch (const platform::RuntimeError&) {
    }
    return 0;
}
