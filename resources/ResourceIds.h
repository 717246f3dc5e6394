#pragma once
// Resource ids shared by the code and resources/tolv.rc (which the resource
// compiler reads too: keep this file to plain #define lines).

#define IDI_TOLV 101

#define IDS_APP_TITLE 50001
#define IDS_APP_VERSION 50002
#define IDS_FIRST_RUN_QUESTION 50021
#define IDS_HELP_URL 50022
#define IDS_NO_SETTINGS_FOLDER 50023

// Display names of the match types, in match-type order.
#define IDS_MATCHTYPE_FILENAME 50201
#define IDS_MATCHTYPE_FILENAME_REGEX 50202
#define IDS_MATCHTYPE_FULLPATH 50203
#define IDS_MATCHTYPE_FULLPATH_REGEX 50204
#define IDS_MATCHTYPE_CLASSNAME 50205
#define IDS_MATCHTYPE_CLASSNAME_REGEX 50206
#define IDS_MATCHTYPE_WINDOWTEXT 50207
#define IDS_MATCHTYPE_WINDOWTEXT_REGEX 50208

#define IDM_EXIT 40005
