// Parser for the pixel-text drawings; strict, because a drawing with a stray character or a
// short row would otherwise shift every pixel after it without anyone noticing.
#include "assets/pixel_text.h"

#include <charconv>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace assets {
namespace {

class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    // The next line without its end-of-line (\n or \r\n), or nothing at the end of the text.
    std::optional<std::string_view> Next() {
        if (pos_ >= text_.size()) return std::nullopt;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++number_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    int Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos) break;
        std::size_t end = line.find_first_of(" \t", pos);
        if (end == std::string_view::npos) end = line.size();
        words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::optional<int> Number(std::string_view word) {
    int value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

}  // namespace

Picture ParsePixelText(std::string_view text, std::string_view name) {
    Lines lines(text);
    auto fail = [&](const std::string& what) -> PixelTextError {
        return PixelTextError(std::string(name) + " line " + std::to_string(lines.Number()) + ": " +
                              what);
    };

    std::map<char, uint32_t> legend;
    int width = 0;
    int height = 0;
    while (true) {
        auto line = lines.Next();
        if (!line) throw fail("no 'pixels <width> <height>' line");
        auto words = Words(*line);
        if (words.empty() || words[0].front() == '#') continue;
        if (words[0] == "colour") {
            if (words.size() < 5 || words[1].size() != 1) {
                throw fail("expected 'colour <character> <red> <green> <blue>'");
            }
            uint32_t rgb = 0;
            for (int i = 2; i < 5; ++i) {
                auto v = Number(words[std::size_t(i)]);
                if (!v || *v < 0 || *v > 255) throw fail("colour values run from 0 to 255");
                rgb = (rgb << 8) | uint32_t(*v);
            }
            if (!legend.emplace(words[1][0], rgb).second)
                throw fail("character '" + std::string(words[1]) + "' defined twice");
            continue;
        }
        if (words[0] == "pixels") {
            auto w = words.size() == 3 ? Number(words[1]) : std::nullopt;
            auto h = words.size() == 3 ? Number(words[2]) : std::nullopt;
            if (!w || !h || *w <= 0 || *h <= 0) throw fail("expected 'pixels <width> <height>'");
            width = *w;
            height = *h;
            break;
        }
        throw fail("unknown keyword '" + std::string(words[0]) + "'");
    }

    Picture image = Picture::Filled(width, height, 0);
    for (int y = 0; y < height; ++y) {
        auto line = lines.Next();
        if (!line)
            throw fail("only " + std::to_string(y) + " of " + std::to_string(height) + " rows");
        if (int(line->size()) != width) {
            throw fail("row is " + std::to_string(line->size()) + " characters wide, not " +
                       std::to_string(width));
        }
        for (int x = 0; x < width; ++x) {
            const auto colour = legend.find((*line)[std::size_t(x)]);
            if (colour == legend.end())
                throw fail("character '" + std::string(1, (*line)[std::size_t(x)]) +
                           "' is not in the legend");
            image.At(x, y) = colour->second;
        }
    }
    while (auto line = lines.Next()) {
        if (!Words(*line).empty()) throw fail("text after the last row");
    }
    return image;
}

}  // namespace assets
