#pragma once
// Resource ids shared by the code and resources/tolv.rc (which the resource
// compiler reads too: keep this file to plain #define lines).

#define IDI_TOLV 101

#define IDS_APP_TITLE 50001
#define IDS_APP_VERSION 50002
#define IDS_FIRST_RUN_QUESTION 50021
#define IDS_HELP_URL 50022
#define IDS_NO_SETTINGS_FOLDER 50023

#define IDM_EXIT 40005
