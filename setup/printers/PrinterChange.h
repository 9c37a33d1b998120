#pragma once
// Changes to one printer through the spooler: its port, its name, its share.
// Each opens the printer for all access (data type "RAW"), reads it at level
// 2, changes the fields and writes it back. A failure to open, read or write
// logs the printer's name followed by the system's error text and gives
// false; so do empty or missing texts (without a log line).

// Attaches the printer to |port| (and writes no security descriptor back).
// Logs "Set %s Printer port as %s successfully!".
bool SetPrinterPort(const wchar_t* printer, const wchar_t* port);

// Gives the printer |newName|; names equal without regard to case succeed at
// once without asking the spooler. Logs "Set %s Printer name as %s successfully!".
bool RenamePrinter(const wchar_t* printer, const wchar_t* newName);

// Shares the printer as |shareName| (and marks it shared). Logs
// "Share %s Printer with %s share name successfully!".
bool SharePrinter(const wchar_t* printer, const wchar_t* shareName);
