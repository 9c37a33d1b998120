#include "DeviceCommands.h"

#include "Log.h"

bool CPendingDeviceCommands::Run(const CMD_RECORD& record) {
    GlobalLog().Print(L"%ls : no printer layer in this build, nothing done", record.Type().c_str());
    return false;
}

void CPendingDeviceCommands::DeleteCreatedPorts() {
    GlobalLog().Print(L"Delete created network ports : no printer layer in this build, nothing done");
}
