//============================================================================
//  vxinst.cmd - command file of the Quorvel LX-3200 Series installer
//
//  Command sections (one CT_ command per line: TYPE = P1, P2, P3),
//  registry sections (CT_ADDREG / CT_DELREG), copy and delete sections
//  (CT_COPY_FILE / CT_DELETE_FILE), the configured copy records
//  (COPY_FILE_INFO) and the shortcut sections named in setup.dat.
//  Shipped as UTF-16 LE without byte-order mark.
//============================================================================

//----------------------------------------------------------------------------
// Start commands of the run modes
//----------------------------------------------------------------------------
[INST_START_CMD]
CT_SET_SETUP_TYPE = INSTALL
CT_START_PREVENT_PNP                    // keep the system's new-hardware wizard away

[REINST_START_CMD]
CT_SET_SETUP_TYPE = REINST

[UNINST_START_CMD]
CT_SET_SETUP_TYPE = UNINST

[DELETEALL_START_CMD]
CT_SET_SETUP_TYPE = UNINST

//----------------------------------------------------------------------------
// Run by the install page after the system update (by Setup_Type)
//----------------------------------------------------------------------------
[INST_INSTALLING_CMD]
CT_ADDREG = ADD_REG.PRODUCT_INFO

[REINST_INSTALLING_CMD]
CT_ADDREG = ADD_REG.PRODUCT_INFO
CT_REFRESH_SYSTEM

[UNINST_INSTALLING_CMD]
CT_RMHW_DLG

[DELETEALL_INSTALLING_CMD]
CT_RMHW_DLG
CT_REMOVE_DEV

//----------------------------------------------------------------------------
// Run when the finish page ends the program (by Setup_Type)
//----------------------------------------------------------------------------
[INST_END_CMD]
CT_END_PREVENT_PNP
CT_RMHW_DLG
CT_COMMAND = INST_DOCUMENTS_CMD

[REINST_END_CMD]
CT_END_PREVENT_PNP

// Only run when nothing of the product is installed any more
[UNINST_END_CMD]
CT_COMMAND = REMOVE_PRODUCT_CMD

[DELETEALL_END_CMD]
CT_COMMAND = REMOVE_PRODUCT_CMD

[REMOVE_PRODUCT_CMD]
CT_DELREG = ADD_REG.PRODUCT_INFO
CT_DELREG = ADD_REG.DOCUMENTS
CT_DELETE_FILE = DELETE_LEFTOVERS
CT_REMOVE_DEV

// The licence texts and the language files kept on the hard disk for the
// utilities, registered for them and protected against changes. The copies
// are in the installation history; the registry values go with
// REMOVE_PRODUCT_CMD.
[INST_DOCUMENTS_CMD]
CT_COPY_FILE = COPY_DOCUMENTS
CT_ADDREG = ADD_REG.DOCUMENTS
CT_EXE_FILE_WAIT = $SYS_DIR$\attrib.exe, +R "$DEST_DIR$\Documents\*" /S

//----------------------------------------------------------------------------
// Registry sections
//----------------------------------------------------------------------------
// Entry in the system's list of installed programs (OS_UNINST_REG_KEY).
// CT_DELREG of the same section deletes the values and the whole key.
[ADD_REG.UNINSTKEY]
ROOTKEY = HKLM
KEYNAME = %UNINSTALL_KEY%
VALUE = REG_SZ, DisplayName, %PROGRAM_NAME%
VALUE = REG_SZ, DisplayVersion, $VERSION$
VALUE = REG_SZ, Publisher, %PUBLISHER%
VALUE = REG_SZ, InstallLocation, $DEST_DIR$
VALUE = REG_SZ, DisplayIcon, $DEST_INST_DIR$\setup.exe,0
VALUE = REG_SZ, UninstallString, "$DEST_INST_DIR$\setup.exe" /U
VALUE = REG_SZ, ModifyPath, "$DEST_INST_DIR$\setup.exe" /R
VALUE = REG_DWORD, NoModify, 0
VALUE = REG_DWORD, NoRepair, 0
VALUE = REG_DWORD, EstimatedSize, 0x00009600
DELETE_KEY = 1

// Product information read by the status monitor and the driver
[ADD_REG.PRODUCT_INFO]
ROOTKEY = HKLM
KEYNAME = Software\%MFG_NAME%\%PROGRAM_NAME%\ProductInfo
VALUE = REG_SZ, Product, %PRODUCT_NAME%
VALUE = REG_SZ, Version, $VERSION$
VALUE = REG_SZ, InstallDir, $DEST_DIR$
VALUE = REG_SZ, Language, $LANG_ABBR$
VALUE = REG_DWORD, LanguageID, 0x$LCID$
VALUE = REG_SZ, Port, $PORT$
DELETE_KEY = 1

// Where the utilities find the documents
[ADD_REG.DOCUMENTS]
ROOTKEY = HKLM
KEYNAME = Software\%MFG_NAME%\%PROGRAM_NAME%\Documents
VALUE = REG_SZ, Folder, $DEST_DIR$\Documents
VALUE = REG_SZ, Licence, $DEST_DIR$\Documents\License\License_$LANG_ABBR$.txt
VALUE = REG_DWORD, Languages, 3
DELETE_KEY = 1

//----------------------------------------------------------------------------
// Configured copy records, copied by the copy progress page.
// The installer itself is kept in $DEST_INST_DIR$ for later maintenance.
//----------------------------------------------------------------------------
[COPY_FILE_INFO]
COPY_INSTALLER
COPY_INSTALLER_DATA

[COPY_INSTALLER]
DESCRIPTION = @COPY_DESC_INSTALLER@
SOURCE = $SRC_DIR$
DESTINATION = $DEST_INST_DIR$
COPY_SUBDIR = 0
DELETE = 1

[COPY_INSTALLER_DATA]
DESCRIPTION = @COPY_DESC_INSTALLER@
SOURCE = $SRC_DIR$\data
DESTINATION = $DEST_INST_DIR$\data
COPY_SUBDIR = 1
DELETE = 1

//----------------------------------------------------------------------------
// Copy and delete sections
//----------------------------------------------------------------------------
// Port monitor files (NETWORK_PRINTER_INFO / COPY_FILE)
[COPY_PORT_MONITOR]
UNSUPPORTED_OS = W95, NT4
FILE = $SRC_DIR$\data\Setup\Monitor\$OS_DIR$\QvTcpMon.dll, $DEST_INST_DIR$\Monitor\QvTcpMon.dll, 1
FILE = $SRC_DIR$\data\Setup\Monitor\$OS_DIR$\QvTcpMUI.dll, $DEST_INST_DIR$\Monitor\QvTcpMUI.dll, 1

// The documents of INST_DOCUMENTS_CMD
[COPY_DOCUMENTS]
DIRECTORY = $SRC_DIR$\data\License, $DEST_DIR$\Documents\License
DIRECTORY = $SRC_DIR$\data\String, $DEST_DIR$\Documents\Language, 0, 1

// Files made by the utilities at run time (not in the installation history)
[DELETE_LEFTOVERS]
FILE = $DEST_DIR$\StatusMonitor\QvStatus.ini
DIRECTORY = $DEST_DIR$\ScanDesk\Cache

//----------------------------------------------------------------------------
// Shortcuts (listed in SHORTCUT_INFO of setup.dat)
//----------------------------------------------------------------------------
[SC_MAINTENANCE]
NAME = @SC_MAINTENANCE_NAME@
TARGET = $DEST_INST_DIR$\setup.exe
ARGUMENT = /R
START_IN = $DEST_INST_DIR$
ICON_FILE = $DEST_INST_DIR$\setup.exe
ICON_INDEX = 0
FOLDER_NAME = %MFG_NAME%\%PRODUCT_NAME%
GROUP = PROGRAMS
PERMISSION = 0
DESCRIPTION = @SC_MAINTENANCE_DESC@
DELETE = 1

[SC_UNINSTALL]
NAME = @SC_UNINSTALL_NAME@
TARGET = $DEST_INST_DIR$\setup.exe
ARGUMENT = /U
ICON_FILE = $DEST_INST_DIR$\setup.exe
ICON_INDEX = 1
FOLDER_NAME = %MFG_NAME%\%PRODUCT_NAME%
GROUP = PROGRAMS
PERMISSION = 0
DESCRIPTION = @SC_UNINSTALL_DESC@
DELETE = 1
