#pragma once
// Resource identifiers of snaplet.rc.

#define IDD_SCREENDLG 101
