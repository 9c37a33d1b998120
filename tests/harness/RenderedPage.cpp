#include "RenderedPage.h"

#include <sstream>

namespace qs_test {

namespace {

// The next header field, past white space and "#" comment lines.
template <typename T>
bool ReadPpmField(std::istream& in, T& field) {
    in >> std::ws;
    while (in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
        in >> std::ws;
    }
    return static_cast<bool>(in >> field);
}

}  // namespace

COLORREF RenderedPage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return RGB(255, 255, 255);
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

long RenderedPage::DarkPixels() const {
    long dark = 0;
    for (std::size_t at = 0; at + 2 < rgb.size(); at += 3) {
        if (rgb[at] < 128 && rgb[at + 1] < 128 && rgb[at + 2] < 128) ++dark;
    }
    return dark;
}

bool ReadPpm(const std::string& data, RenderedPage& page) {
    std::istringstream in(data);
    std::string magic;
    int maxValue = 0;
    if (!ReadPpmField(in, magic) || !ReadPpmField(in, page.width) || !ReadPpmField(in, page.height) ||
        !ReadPpmField(in, maxValue))
        return false;
    if (magic != "P6" || maxValue != 255 || page.width <= 0 || page.height <= 0) return false;
    in.get();   // the one white space after the header
    const std::size_t size = static_cast<std::size_t>(page.width) * page.height * 3;
    page.rgb.resize(size);
    in.read(reinterpret_cast<char*>(page.rgb.data()), static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in.gcount()) == size;
}

}  // namespace qs_test
