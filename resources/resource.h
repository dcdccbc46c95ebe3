// Resource ids of Corvane. Included by windres and by C++ code (portable and Win32):
// keep this file to plain #defines of integer literals.
#pragma once

// Templates, menus and the icon.
#define IDD_IP_ADDRESS_PAGE 101
#define IDD_DNS_PAGE 102
#define IDD_LOGON_PAGE 103
#define IDD_PROFILES 104
#define IDD_SETTINGS_SHEET 105
#define IDD_PROFILE_NAME 106
#define IDI_CORVANE 107
#define IDD_CURRENT_SETTINGS 108
#define IDR_COMMANDBAR_MENU 110
#define IDD_PROXY_PAGE 111
#define IDR_TRAY_MENU 112
#define IDD_IMPORT_OPTIONS 114
#define IDD_ABOUT 143

// Labels and group boxes that the code never addresses.
#define IDC_STATIC 65535

// Network Profiles dialog (104).
#define IDC_NEW 1013
#define IDC_EDIT 1014
#define IDC_DELETE 1015
#define IDC_SETTINGS 1016
#define IDC_ADAPTER_LIST 1017
#define IDC_PROFILE_LIST 1018
#define IDC_SET 1019
#define IDC_APPLY_TO_ALL 1027

// Network Settings sheet (105).
#define IDC_TABS 1020

// Profile Name dialog (106).
#define IDC_PROFILE_NAME 1021

// Current Network Settings viewer (108).
#define IDC_SETTINGS_LIST 1016

// Import Options dialog (114).
#define IDC_DELETE_EXISTING 1015
#define IDC_KEEP_EXISTING 1031

// About box (143).
#define IDC_STORE_SIZE 1001
#define IDC_STORE_FREE 1004
#define IDC_VERSION 1032

// IP Address page (101).
#define IDC_USE_DHCP 1000
#define IDC_SPECIFY_ADDRESS 1002
#define IDC_IP_ADDRESS 1003
#define IDC_SUBNET_MASK 1005
#define IDC_DEFAULT_GATEWAY 1006

// DNS page (102). The primary WINS control has the higher id.
#define IDC_DNS1 1007
#define IDC_DNS2 1008
#define IDC_WINS2 1009
#define IDC_WINS1 1010

// Logon page (103).
#define IDC_USER_NAME 1011
#define IDC_DOMAIN 1012

// Proxy Server page (111).
#define IDC_USE_PROXY 1023
#define IDC_PROXY_SERVER 1024
#define IDC_PROXY_PORT 1025
#define IDC_PROXY_NOTE 1026

// Menu commands: command bar menu (110) and the icon's menu (112).
#define IDM_HELP_TOPICS 40001
#define IDM_ABOUT 40003
#define IDM_SHOW_PROFILES 40006
#define IDM_EXIT 40007
#define IDM_SHOW_AT_STARTUP 40013
#define IDM_EXPORT 40014
#define IDM_IMPORT 40015
#define IDM_UNDO_SWITCH 40016
// Profile items of the icon's menu: adapter i owns the 100 ids from 10200 + 100 * i.
#define IDM_FIRST_PROFILE 10200
#define IDM_PROFILES_PER_ADAPTER 100
// "Undo Last Switch" of the icon's menu: adapter i's is 10100 + i, below every profile's range.
#define IDM_FIRST_UNDO 10100

// Private window messages. UM_SHOWPROFILES also passes between two instances of the program;
// UM_SAVEPAGE goes from the settings sheet to its pages only.
#define UM_SAVEPAGE 1125
#define UM_SHOWPROFILES 1126
#define UM_TRAYNOTIFY 2025
#define UM_REFRESHPROFILES 2026

// Strings: product and version.
#define IDS_PRODUCT_NAME 1
#define IDS_VERSION 2

// Strings: start-up.
#define IDS_NO_MEMORY 10
#define IDS_NO_ADAPTERS 11

// Strings: applying settings to the system.
#define IDS_APPLY_FAILED 20
#define IDS_NEXT_USE 21
#define IDS_RESET_FOR_PROXY 22
#define IDS_APPLY_FAILED_FOR 23
#define IDS_SETTINGS_NOT_PUT_BACK 24

// Strings: profile store and profile commands.
#define IDS_PROFILE_EXISTS 30
#define IDS_LOAD_FAILED 31
#define IDS_SAVE_FAILED 32
#define IDS_CREATE_FAILED 33
#define IDS_SET_DEFAULT_FAILED 34
#define IDS_OFFER_DEFAULT 35
#define IDS_DEFAULT_PROFILE_NAME 36
#define IDS_CONFIRM_DELETE 37
#define IDS_DELETE_FAILED 38
#define IDS_PROFILE_NAME_BACKSLASH 39

// Strings: writes that failed and could not be taken back.
#define IDS_PROFILE_NOT_PUT_BACK 100
#define IDS_OLD_PROFILE_NOT_REMOVED 101

// Strings: profile files, export and import.
#define IDS_FILE_FILTER 40
#define IDS_CREATE_FILE_FAILED 41
#define IDS_EXPORT_FAILED 42
#define IDS_EXPORTED 43
#define IDS_IMPORT_CORRUPT 44
#define IDS_IMPORTED 45
#define IDS_EXPORT_SHORTENED 46
#define IDS_OPEN_FILE_FAILED 47
#define IDS_FILE_TOO_LARGE 48

// Strings: the command line.
#define IDS_USAGE 90
#define IDS_UNKNOWN_PROFILE 91
#define IDS_UNKNOWN_ADAPTER 92
#define IDS_BUSY 93

// Strings: undoing the last switch.
#define IDS_UNDO_SWITCH 140
#define IDS_NOT_KEPT_FOR_UNDO 141
#define IDS_UNDO_FAILED 142
#define IDS_NOTHING_TO_UNDO 143
#define IDS_UNDO_NOT_PUT_BACK 144

// Strings: settings editor (tabs and address checks).
#define IDS_TAB_LOGON 50
#define IDS_TAB_IP_ADDRESS 51
#define IDS_TAB_DNS 52
#define IDS_TAB_PROXY 53
#define IDS_INVALID_ADDRESS 54
#define IDS_FIELD_RANGE 55

// Strings: current settings viewer.
#define IDS_COLUMN_PROPERTY 60
#define IDS_COLUMN_VALUE 61
#define IDS_ROW_IP_ADDRESS 62
#define IDS_ROW_SUBNET_MASK 63
#define IDS_ROW_DEFAULT_GATEWAY 64
#define IDS_ROW_DNS 65
#define IDS_ROW_WINS 66
#define IDS_ROW_USER_NAME 67
#define IDS_ROW_DOMAIN 68
#define IDS_ROW_USE_DHCP 69
#define IDS_ROW_USE_PROXY 70
#define IDS_ROW_PROXY_SERVER 71
#define IDS_ROW_PROXY_PORT 72
#define IDS_ROW_DHCP 73
#define IDS_YES 74
#define IDS_NO 75
#define IDS_LEASED 76
#define IDS_NOT_LEASED 77

// Strings: the command bar's buttons on the desktop.
#define IDS_BAR_HELP 85
#define IDS_BAR_OK 86
#define IDS_BAR_CLOSE 87

// Strings: About box.
#define IDS_AVAILABLE_MEMORY 80
#define IDS_FREE_MEMORY 81
