// Numbers of the Windows resources and commands, shared by the resource script and the program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_TRELVOX_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_OPEN 1000
#define IDC_REPORT 1003
#define IDC_ABOUT_VERSION 1001
#define IDC_ABOUT_NOTICE 1002
#define ID_APP_ABOUT 32772
#define ID_APP_EXIT 32773
#define ID_FILE_OPEN 32774
#define ID_FILE_REPORT 32775
// The About item added to the system menu; system commands keep their low four bits free.
#define IDM_ABOUTBOX 0x0010
