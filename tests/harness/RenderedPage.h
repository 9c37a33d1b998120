#pragma once
// A page as ghostscript rendered it into a binary PPM (device ppmraw).

#include <windows.h>

#include <string>
#include <vector>

namespace qs_test {

// RGB, 3 bytes a pixel, top row first.
struct RenderedPage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    // White outside the page.
    COLORREF At(int x, int y) const;
    // Pixels whose three channels are all below half.
    long DarkPixels() const;
};

// Reads a binary PPM as ghostscript's ppmraw writes it:
//   "P6" width height maximum-value   (white space or "#" comment lines between)
//   one white space, then width * height RGB triples, 8 bits a channel.
// False when |data| is not one (another magic, a maximum other than 255, a
// size that is not positive, fewer bytes than the size asks).
bool ReadPpm(const std::string& data, RenderedPage& page);

}  // namespace qs_test
