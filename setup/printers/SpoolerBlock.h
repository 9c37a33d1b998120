#pragma once
// Spooler answers and handles: a zero-filled GlobalAlloc block sized by a
// first query, and an open printer that closes itself.
//
//   CSpoolerBlock block;
//   if (!block.Query([](BYTE* data, DWORD size, DWORD* needed) { return GetPrinterW(h, 2, data, size, needed); }))
//
// Query calls the spooler first with no buffer to learn the byte count, then
// with a block of exactly that size; when the answer grew in between it sizes
// again (three times at most). A first answer of 0 bytes is an empty answer.

#include <windows.h>
#include <winspool.h>

#include "ScopedHandle.h"

struct ClosePrinterHandle {
    void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using CPrinterHandle = CScopedHandle<HANDLE, ClosePrinterHandle>;

class CSpoolerBlock {
public:
    enum class Result {
        kFilled,            // the block holds the answer
        kEmpty,             // the spooler had nothing to say (0 bytes); no block
        kFailed,            // the spooler refused; GetLastError tells why
        kAllocationFailed,  // no memory for the block
    };

    CSpoolerBlock() = default;
    ~CSpoolerBlock() { Free(); }
    CSpoolerBlock(const CSpoolerBlock&) = delete;
    CSpoolerBlock& operator=(const CSpoolerBlock&) = delete;

    // |query|(data, size, needed) returns the spooler call's truth value.
    template <class Query>
    Result Fill(Query query) {
        Free();
        DWORD needed = 0;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (query(data_, size_, &needed)) return data_ != nullptr ? Result::kFilled : Result::kEmpty;
            const DWORD error = GetLastError();
            if (error != ERROR_INSUFFICIENT_BUFFER) return Result::kFailed;
            if (needed == 0) return Result::kEmpty;
            if (needed <= size_) return Result::kFailed;
            Free();
            data_ = static_cast<BYTE*>(GlobalAlloc(GPTR, needed));
            if (data_ == nullptr) return Result::kAllocationFailed;
            size_ = needed;
        }
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return Result::kFailed;
    }

    BYTE* Data() const { return data_; }
    DWORD Size() const { return size_; }
    template <class T>
    T* As() const {
        return reinterpret_cast<T*>(data_);
    }

private:
    void Free() {
        if (data_ != nullptr) GlobalFree(data_);
        data_ = nullptr;
        size_ = 0;
    }

    BYTE* data_ = nullptr;
    DWORD size_ = 0;
};

// The printer's level-2 record (PRINTER_INFO_2W) into |block|.
inline CSpoolerBlock::Result ReadPrinterLevel2(HANDLE printer, CSpoolerBlock& block) {
    return block.Fill([printer](BYTE* data, DWORD size, DWORD* needed) {
        return GetPrinterW(printer, 2, data, size, needed) != FALSE;
    });
}

// The system error that explains a result other than kFilled.
inline DWORD FailureCode(CSpoolerBlock::Result result) {
    return result == CSpoolerBlock::Result::kAllocationFailed ? ERROR_NOT_ENOUGH_MEMORY : GetLastError();
}
