#pragma once
// The component list as the commands see it.

#include "ComponentQueries.h"
#include "Item.h"

class CItemQueries final : public CComponentQueries {
public:
    explicit CItemQueries(CItem& items) : items_(items) {}

    bool IsThereInstalledItem() override { return items_.IsthereInstalledItem(); }
    bool IsAnyInstalled() override { return items_.IsAnyInstalled(); }
    int CountValidItems() override { return items_.GetCount(); }
    // Every component selected by its install type of the run (ALL, CHK and
    // GRAYCHK select it), then every record of the installation.
    void WriteItemInfo() override {
        for (int i = 0; i < items_.GetCount(); ++i) {
            const int type = items_.GetItemState(i);
            items_.GetItem(i).SetSelected(type == CItemInfo::kAll || type == CItemInfo::kChk ||
                                          type == CItemInfo::kGrayChk);
        }
        items_.WriteAllRecords(true);
    }
    void RemoveItemRecords() override {
        for (int i = 0; i < items_.GetCount(); ++i) items_.DeleteItemRecord(i);
    }
    void RemoveUninstallEntry() override { items_.RemoveUninstallEntry(); }

private:
    CItem& items_;
};
