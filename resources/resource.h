#pragma once
// Resource and command IDs shared by the resource script and the code. Dialog
// controls have IDs of their own in each form's source; these are the ones the
// resource compiler needs to see.

// Icons and bitmaps
#define IDI_TAVRILL 1
#define IDB_MENU 101
#define IDB_TEXT 102
#define IDB_FORMAT 103
#define IDB_STASH 104
#define IDB_LOAD 105
#define IDB_HELP 106
// The same pictures for 150% and 200% screens: IDB_... + IDB_SIZE_STEP and + 2 * IDB_SIZE_STEP.
#define IDB_SIZE_STEP 10

// Tool bar speed buttons
#define IDC_BUTMENU 201
#define IDC_BUTTEXT 202
#define IDC_BUTFORMAT 203
#define IDC_BUTSTASH 204
#define IDC_BUTLOAD 205
#define IDC_BUTHELP 206

// Menu items have no ids here: the tool bar numbers them from the command table.
