#include "Image.h"

#include "SnapletHandles.h"

using namespace Gdiplus;

sImage::sImage(HBITMAP gdiBitmap, HPALETTE palette) {
    GpBitmap* made = nullptr;
    if (DllExports::GdipCreateBitmapFromHBITMAP(gdiBitmap, palette, &made) != Ok || made == nullptr) return;
    bitmap.reset(made, [](GpBitmap* b) { DllExports::GdipDisposeImage(b); });
    DllExports::GdipGetImageWidth(made, &width);
    DllExports::GdipGetImageHeight(made, &height);
    DllExports::GdipGetImagePixelFormat(made, &pixelFormat);
    DllExports::GdipBitmapSetResolution(made, resolution, resolution);
}

sImage::~sImage() {
    if (locked && bitmap) DllExports::GdipBitmapUnlockBits(bitmap.get(), &lockData);
}

ImageList& TheImageList() {
    static ImageList images;
    return images;
}

bool AppendCapturedBitmap(HBITMAP gdiBitmap, HDC screenDC) {
    CPaletteHandle palette(CreateHalftonePalette(screenDC));
    auto image = std::make_shared<sImage>(gdiBitmap, palette.Get());
    if (!image->bitmap || image->width == 0 || image->height == 0) return false;
    TheImageList().push_back(std::make_shared<ImageImpl>(std::move(image)));
    return true;
}
