#pragma once
// The install engine behind an install page: a worker hands every selected
// component, in list order, to the installer library with the registry record
// that describes it, and reports each step; a finishing thread then runs the
// finishing command. The page (or a test) listens through CInstallListener;
// its calls come from the engine's threads, and the worker waits for each.

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

class CItem;

class CInstallListener {
public:
    virtual ~CInstallListener() = default;
    // Before the first component (|index| -1) or before component |index|.
    virtual void OnStart(int index) = 0;
    virtual void OnComponentDone(int index, bool success) = 0;
    // Every selected component was handed over.
    virtual void OnAllDone() = 0;
    // The finishing command ran.
    virtual void OnFinished() = 0;
};

class CInstallEngine {
public:
    // Kinds of install pages.
    enum class PageKind { kRows, kStatusAndList };
    // Installs, reinstalls or removes one component: (installing root, its
    // record key, installed already); true on success. A missing library or a
    // fault counts as failure.
    using InstallFunction = std::function<bool(const std::wstring&, const std::wstring&, bool)>;
    // Runs a command (type) synchronously through the wizard.
    using RunCommandFunction = std::function<bool(const std::wstring&)>;

    CInstallEngine(CItem& items, std::wstring installingRoot, InstallFunction install, CInstallListener& listener);
    // Waits for the engine's threads.
    ~CInstallEngine();
    CInstallEngine(const CInstallEngine&) = delete;
    CInstallEngine& operator=(const CInstallEngine&) = delete;

    // "Setup_Type" under the installing root: 1 install, 2 remove, 3
    // reinstall; 1 when absent.
    static DWORD ReadSetupType(const std::wstring& installingRoot);
    // The log line of one component's result.
    static std::wstring ResultLine(const std::wstring& displayName, bool success);

    // Reads the setup type and starts the worker; false when it cannot start.
    bool Start(PageKind kind);
    // Starts the finishing thread: CT_DELETE_ALL after a removal, else
    // CT_INSTALL_UPDATE, then (status-and-list page) the installing command
    // section. When the thread cannot start, the listener hears OnFinished at once.
    void Finish(RunCommandFunction runCommand, std::function<void()> runInstallingCommand);
    // Waits for the worker and the finishing thread.
    void Join();

    DWORD SetupType() const { return setupType_; }

private:
    void Work();

    CItem& items_;
    std::wstring installingRoot_;
    InstallFunction install_;
    CInstallListener& listener_;
    PageKind kind_ = PageKind::kRows;
    DWORD setupType_ = 1;
    std::thread worker_;
    std::thread finisher_;
};
