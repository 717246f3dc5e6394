#pragma once
// Ids of the test-only resources in WindowTestResources.rc (plain #define lines for the resource compiler).

#define IDI_TEST_TRAY 201
#define IDI_TEST_TRAY_PAUSED 202

#define IDM_TEST_POPUP 301
#define IDM_TEST_FIRST 3001
#define IDM_TEST_SECOND 3002
#define IDM_TEST_INNER 3003

#define IDD_TEST_DIALOG 401
#define IDD_TEST_PAGE 402
#define IDD_TEST_MISSING 499
#define IDC_TEST_EDIT 4001
