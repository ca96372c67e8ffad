// The test dialog template and its two edits.
#define IDD_TWO_EDITS 100
#define IDC_FIRST 10
#define IDC_SECOND 11
