#include "PrintImages.h"

#include <winspool.h>

#include "Image.h"
#include "PageLayout.h"
#include "SnapletHandles.h"

using namespace Gdiplus;

namespace {

// Prints one image on the page that has been started.
void DrawOnPage(HDC dc, GpGraphics* graphics, sImage& image) {
    PageGeometry page;
    page.horzRes = GetDeviceCaps(dc, HORZRES);
    page.vertRes = GetDeviceCaps(dc, VERTRES);
    page.logPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
    page.logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
    const ImagePlacement placement = PlaceImage(image.width, image.height, image.resolution, page);

    DllExports::GdipSetPageUnit(graphics, UnitInch);
    DllExports::GdipImageRotateFlip(image.bitmap.get(), placement.turned ? Rotate90FlipNone : RotateNoneFlipNone);
    DllExports::GdipDrawImageRect(graphics, image.bitmap.get(), placement.x, placement.y, placement.width,
                                  placement.height);
}

}  // namespace

HRESULT PrintImages(const std::wstring& printerName) {
    // No printer named and no default printer: nothing to print on.
    if (printerName.empty()) return E_FAIL;
    CDeviceContext dc(CreateDCW(nullptr, printerName.c_str(), nullptr, nullptr));
    if (!dc) return E_FAIL;
    CPrinterHandle printer;
    if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), printer.Receive(), nullptr)) return E_FAIL;

    CGdiplusGraphics graphics;
    if (DllExports::GdipCreateFromHDC2(dc.Get(), printer.Get(), graphics.Receive()) != Ok) return E_FAIL;
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = kDocumentName;
    if (StartDocW(dc.Get(), &document) <= 0) return E_FAIL;

    for (const auto& entry : TheImageList()) {
        sImage& image = *entry->Image();
        StartPage(dc.Get());
        DrawOnPage(dc.Get(), graphics.Get(), image);
        EndPage(dc.Get());
    }
    EndDoc(dc.Get());
    return S_OK;
}
