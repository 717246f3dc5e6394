#pragma once
// Ids of the control test dialog in ControlTestResources.rc (plain #define lines for the resource compiler).

#define IDI_CONTROL_TEST 211
#define IDD_CONTROL_TEST 411
#define IDC_CONTROL_COMBO 4101
#define IDC_CONTROL_LIST 4102
#define IDC_CONTROL_CHECK 4103
#define IDC_CONTROL_RADIO_A 4104
#define IDC_CONTROL_RADIO_B 4105
#define IDC_CONTROL_RADIO_C 4106
#define IDC_CONTROL_BUTTON 4107
#define IDC_CONTROL_MISSING 4199
