#pragma once
// The device, printer and network commands (test pages, device refresh,
// plug-and-play suppression, diagnosis, remote install, wireless setup,
// installation update) and the network ports a run created. The printer
// layer implements them; until it is present, CPendingDeviceCommands logs
// each command and reports that nothing was done.

#include "CmdRecord.h"

class CDeviceCommands {
public:
    virtual ~CDeviceCommands() = default;

    // Runs one of the commands above; its result.
    virtual bool Run(const CMD_RECORD& record) = 0;
    // Deletes the network ports this run created.
    virtual void DeleteCreatedPorts() = 0;
};

class CPendingDeviceCommands final : public CDeviceCommands {
public:
    bool Run(const CMD_RECORD& record) override;
    void DeleteCreatedPorts() override;
};
