#pragma once
// Where a picture goes on a printed page: turned to the page's orientation,
// shrunk to fit the printable area when too large (never enlarged), centred.
// Pure arithmetic on the printer's device capabilities.

#include <cstdint>

// The printer's printable area as its device reports it.
struct PageGeometry {
    int horzRes = 0;      // HORZRES, device pixels
    int vertRes = 0;      // VERTRES
    int logPixelsX = 0;   // LOGPIXELSX, device pixels per inch
    int logPixelsY = 0;   // LOGPIXELSY
};

// In inches from the printable area's top left corner.
struct ImagePlacement {
    bool turned = false;   // rotated by 90 degrees clockwise
    float scale = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// |width| x |height| pixels at |resolution| dots per inch (cut to an integer).
ImagePlacement PlaceImage(std::uint32_t width, std::uint32_t height, float resolution, const PageGeometry& page);
