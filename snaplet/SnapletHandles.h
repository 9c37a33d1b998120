#pragma once
// Owning wrappers for the handles snaplet opens: GDI contexts and objects,
// printer handles and GDI+ objects. Each releases its handle when it goes out
// of scope, cannot be copied and can be moved.

#include <windows.h>
#include <winspool.h>

#include <utility>

#include "GdiplusApi.h"

template <typename T, typename Close>
class CSnapHandle {
public:
    CSnapHandle() = default;
    explicit CSnapHandle(T handle) : handle_(handle) {}
    ~CSnapHandle() { Reset(); }
    CSnapHandle(const CSnapHandle&) = delete;
    CSnapHandle& operator=(const CSnapHandle&) = delete;
    CSnapHandle(CSnapHandle&& other) noexcept : handle_(std::exchange(other.handle_, T())) {}
    CSnapHandle& operator=(CSnapHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, T());
        }
        return *this;
    }

    T Get() const { return handle_; }
    explicit operator bool() const { return handle_ != T(); }
    // The address to receive a new handle; the old one is released first.
    T* Receive() {
        Reset();
        return &handle_;
    }
    void Reset() {
        if (handle_ != T()) Close()(handle_);
        handle_ = T();
    }

private:
    T handle_ = T();
};

struct DeleteDeviceContext {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct ClosePrinterHandle {
    void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
struct DeleteGdiplusGraphics {
    void operator()(Gdiplus::GpGraphics* graphics) const { Gdiplus::DllExports::GdipDeleteGraphics(graphics); }
};

using CDeviceContext = CSnapHandle<HDC, DeleteDeviceContext>;       // CreateDCW, CreateCompatibleDC
using CBitmapHandle = CSnapHandle<HBITMAP, DeleteGdiObject>;
using CPaletteHandle = CSnapHandle<HPALETTE, DeleteGdiObject>;
using CPrinterHandle = CSnapHandle<HANDLE, ClosePrinterHandle>;
using CGdiplusGraphics = CSnapHandle<Gdiplus::GpGraphics*, DeleteGdiplusGraphics>;

// A window's device context from GetDC, released with ReleaseDC.
class CWindowDC {
public:
    explicit CWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~CWindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a context and puts the previous one back.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~CSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
