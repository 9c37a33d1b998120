#pragma once
// A configuration context whose connection options and path-variable switch
// are those of a COptions, so that section resolution follows the options as
// they change during the run. Everything else (operating-system define,
// language, path-variable expansion) comes from another context.

#include "ConfigContext.h"
#include "Options.h"

class COptionsConfigContext : public CConfigContext {
public:
    // Neither is owned; both must outlive this context.
    COptionsConfigContext(const CConfigContext& base, const COptions& options) : base_(base), options_(options) {}
    COptionsConfigContext(const COptionsConfigContext&) = delete;
    COptionsConfigContext& operator=(const COptionsConfigContext&) = delete;

    std::wstring OsDefineString() const override { return base_.OsDefineString(); }
    std::wstring LanguageAbbreviation() const override { return base_.LanguageAbbreviation(); }
    bool NetworkOption() const override { return options_.Network(); }
    bool WirelessOption() const override { return options_.Wireless(); }
    bool UsbOnlyOption() const override { return options_.UsbOnly(); }
    // A remote installation leaves path variables for the remote computer.
    bool PathVariablesOff() const override { return options_.RemoteInstall(); }
    void ExpandPathVariables(std::wstring& text, const LANGUAGE_OVERRIDE* language) const override {
        base_.ExpandPathVariables(text, language);
    }

private:
    const CConfigContext& base_;
    const COptions& options_;
};
