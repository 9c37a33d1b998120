#pragma once
// What the commands ask of the component list. The component list answers
// with its components; CNoComponents answers for a medium that offers none.

class CComponentQueries {
public:
    virtual ~CComponentQueries() = default;

    // The installed root has a destination and a component is recorded as installed.
    virtual bool IsThereInstalledItem() = 0;
    // Some component is found installed on the system (checked now).
    virtual bool IsAnyInstalled() = 0;
    // The number of components offered on this system.
    virtual int CountValidItems() = 0;
    // Selects every valid component by its install type and writes the records.
    virtual void WriteItemInfo() = 0;
    // Removes the components' records.
    virtual void RemoveItemRecords() = 0;
    // Removes the product's entry from the system's list of installed programs.
    virtual void RemoveUninstallEntry() = 0;
};

class CNoComponents final : public CComponentQueries {
public:
    bool IsThereInstalledItem() override { return false; }
    bool IsAnyInstalled() override { return false; }
    int CountValidItems() override { return 0; }
    void WriteItemInfo() override {}
    void RemoveItemRecords() override {}
    void RemoveUninstallEntry() override {}
};
