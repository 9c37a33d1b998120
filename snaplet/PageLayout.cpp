#include "PageLayout.h"

#include <utility>

ImagePlacement PlaceImage(std::uint32_t width, std::uint32_t height, float resolution, const PageGeometry& page) {
    ImagePlacement placement;
    const int dpi = static_cast<int>(resolution);
    if (dpi <= 0 || page.logPixelsX <= 0 || page.logPixelsY <= 0) return placement;
    const float pageWidth = static_cast<float>(page.horzRes) / static_cast<float>(page.logPixelsX);
    const float pageHeight = static_cast<float>(page.vertRes) / static_cast<float>(page.logPixelsY);

    // Turned when the page and the picture lie differently; a square page or
    // a square picture never turns.
    std::uint32_t w = width;
    std::uint32_t h = height;
    const bool pageLandscape = page.horzRes > page.vertRes;
    const bool pagePortrait = page.vertRes > page.horzRes;
    if ((pageLandscape && h > w) || (pagePortrait && w > h)) {
        std::swap(w, h);
        placement.turned = true;
    }

    const float imageWidth = static_cast<float>(w) / static_cast<float>(dpi);
    const float imageHeight = static_cast<float>(h) / static_cast<float>(dpi);
    // Which side limits the picture is decided in inches, so that a printer
    // whose two resolutions differ gets the picture inside the page too.
    const bool widerThanPage = imageWidth * pageHeight > imageHeight * pageWidth;
    if (widerThanPage && imageWidth > pageWidth) {
        placement.scale = pageWidth / imageWidth;
    } else if (imageHeight > pageHeight) {
        placement.scale = pageHeight / imageHeight;
    }
    placement.width = placement.scale * imageWidth;
    placement.height = placement.scale * imageHeight;
    placement.x = (pageWidth - placement.width) / 2.0f;
    placement.y = (pageHeight - placement.height) / 2.0f;
    return placement;
}
