#pragma once
// A captured picture and the program's one list of them: captures append,
// printing walks the list from first to last.

#include <memory>
#include <vector>

#include "GdiplusApi.h"

// The resolution every captured picture is given, in dots per inch.
constexpr float kImageResolution = 95.0f;

// One captured image: a GDI+ bitmap made from a GDI bitmap with a halftone
// palette for the screen, and what was read from it.
struct sImage {
    // An image whose bitmap could not be made has no bitmap and measures 0 x 0.
    sImage(HBITMAP gdiBitmap, HPALETTE palette);
    ~sImage();
    sImage(const sImage&) = delete;
    sImage& operator=(const sImage&) = delete;

    std::shared_ptr<Gdiplus::GpBitmap> bitmap;
    Gdiplus::BitmapData lockData{};   // only to unlock the bitmap when the image ends
    bool locked = false;
    UINT32 width = 0;
    UINT32 height = 0;
    float resolution = kImageResolution;
    Gdiplus::PixelFormat pixelFormat = PixelFormat24bppRGB;
};

// The list's element: one shared image.
class ImageImpl {
public:
    explicit ImageImpl(std::shared_ptr<sImage> image) : image_(std::move(image)) {}
    const std::shared_ptr<sImage>& Image() const { return image_; }

private:
    std::shared_ptr<sImage> image_;
};

using ImageList = std::vector<std::shared_ptr<ImageImpl>>;

// The program's image list.
ImageList& TheImageList();

// Makes an image from |gdiBitmap| (converted with a halftone palette for the
// screen |screenDC|) and appends it to the list. False, and nothing appended,
// when GDI+ cannot make a bitmap of it.
bool AppendCapturedBitmap(HBITMAP gdiBitmap, HDC screenDC);
