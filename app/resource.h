#pragma once
// Resource ids. Shared by the .rc script (windres) and the C++ code: #defines only.

#define IDI_MAINFRAME 128
#define IDI_APPICON 140
#define IDD_INSTMULTI 153
#define IDD_ABOUT 160

// Main window controls; ids below 100 are the classic button ids the window reuses.
#define IDC_OPEN_FOLDER 3
#define IDC_LAUNCH 4
#define IDC_SHOW 5
#define IDC_HIDE 6
#define IDC_CLOSE_TERMINALS 7
#define IDC_WEB_PANE 1008
#define IDC_TERMINAL_LIST 1009
#define IDC_TERMINALS_LABEL 1013
#define IDC_INSTALL_PROVIDER 1017
#define IDC_INSTALL_RECEIVER 1018
#define IDC_HELP_BUTTON 1019
#define IDC_UNINSTALL 1020
#define IDC_CONTACT_US 1021
#define IDC_REMOVE 1023
#define IDC_REFRESH 1024
#define IDC_ADD 1034
#define IDC_DUPLICATE 1035
#define IDC_CLICK_TO_LAUNCH 1086
#define IDC_INVERSE 1088
#define IDC_LOAD_EA_AUTO 1089
#define IDC_SELECT_ALL 1090
#define IDC_SEARCH_STATUS 1092

// About dialog controls.
#define IDC_ABOUT_NAME 1201
#define IDC_ABOUT_VERSION 1202
#define IDC_ABOUT_DESCRIPTION 1203
#define IDC_ABOUT_LINK 1204
#define IDC_ABOUT_WEBSITE 1205

// The terminal list's right-click menu; its commands reach the window as menu WM_COMMANDs.
#define IDM_CHECK_COPIER 1301
#define IDM_RESTORE_PREVIOUS 1302
