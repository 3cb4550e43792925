// The drawings of art/*.txt as embedded at build time (see embed_art_text.cmake), so that
// the saver, the tools and the tests need no files beside the program.
#pragma once

#include <string_view>

namespace assets {

// The full text of art/<name>.txt; throws std::out_of_range for a name that was not embedded.
std::string_view ArtText(std::string_view name);

}  // namespace assets
