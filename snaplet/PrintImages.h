#pragma once
// Printing the image list: one document, one page per image.

#include <windows.h>

#include <string>

// The name the print jobs carry.
constexpr const wchar_t* kDocumentName = L"RivUzoridEvozo";

// Prints every image of the list on |printerName|, each on a page of its own,
// placed by PlaceImage. E_FAIL when the printer cannot be opened or the
// document cannot be started; an empty list makes a document with no pages.
HRESULT PrintImages(const std::wstring& printerName);
