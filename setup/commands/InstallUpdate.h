#pragma once
// The device commands of a run that installs components: CT_INSTALL_UPDATE
// finishes an installation (shortcuts, the entry in the system's list of
// installed programs, the install directory, the printers' default, sharing,
// ports and names, and the records carried over to the installed root). The
// other device commands are not part of this build yet: they are logged and
// report that nothing was done.

#include "DeviceCommands.h"

class CItem;
class CMyPrinter;
class CSetupContext;
class CWizardLink;

class CInstallUpdate final : public CDeviceCommands {
public:
    CInstallUpdate(CSetupContext& context, CItem& items, CMyPrinter& printers, CWizardLink& wizard);

    bool Run(const CMD_RECORD& record) override;
    void DeleteCreatedPorts() override { pending_.DeleteCreatedPorts(); }

    // CT_INSTALL_UPDATE; always true.
    bool Finish();

private:
    CSetupContext& context_;
    CItem& items_;
    CMyPrinter& printers_;
    CWizardLink& wizard_;
    CPendingDeviceCommands pending_;
};
