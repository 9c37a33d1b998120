#pragma once
// A shell for tests: documents, folders and addresses are not opened (under
// Wine they would open on the Linux host) but recorded; programs start for
// real. Opening a file named in |refused| answers ERROR_FILE_NOT_FOUND.

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "ProfileText.h"
#include "Shell.h"

class CRecordingShell final : public CShell {
public:
    struct OPENED {
        std::wstring file;
        std::wstring parameters;
    };

    std::set<std::wstring> refused;  // upper case

    bool ExecuteEx(HWND owner, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& directory, HANDLE& process) override {
        return platform_.ExecuteEx(owner, file, parameters, directory, process);
    }
    INT_PTR Open(HWND, const std::wstring& file, const std::wstring& parameters) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        opened_.push_back({file, parameters});
        if (refused.count(profile_text::FoldedUpper(file)) != 0) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return ERROR_FILE_NOT_FOUND;
        }
        return 42;
    }
    std::vector<OPENED> Opened() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return opened_;
    }

private:
    CPlatformShell platform_;
    mutable std::mutex mutex_;
    std::vector<OPENED> opened_;
};
