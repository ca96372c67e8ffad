#pragma once

#define IDD_DEMO 100

#define IDC_NAME 1001
#define IDC_CODE 1002
#define IDC_NOTE 1003

#define IDC_LOG 1100
#define IDC_VALUES 1101
#define IDC_CLEARLOG 1102
