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

// popMain
#define IDM_MINIMIZE 301
#define IDM_UNDO 302
#define IDM_STAYONTOP 303
#define IDM_LOCKWIN 304
#define IDM_EXIT 305
#define IDM_ANYEDITOR 306
#define IDM_KEEPCLIPBOARD 308
#define IDM_SHORTCUTS 309

// popText
#define IDM_BEGINEND 311
#define IDM_CASEOF 312
#define IDM_IFTHEN 313
#define IDM_FORNEXT 314
#define IDM_WHILE 315
#define IDM_PROC 316
#define IDM_FUNC 317
#define IDM_UNITHEAD 318
#define IDM_PROCHEAD 319

// popFormat
#define IDM_CASEUPPER 321
#define IDM_CASELOWER 322
#define IDM_CASETITLE 323
#define IDM_CASEFLIP 324
#define IDM_INDENT 325
#define IDM_COMMENTSLASH 326
#define IDM_COMMENTBRACE 327
#define IDM_COMMENTPAR 328
#define IDM_UNCOMMENT 329

// popHelp
#define IDM_ABOUT 331
#define IDM_HELP 332
#define IDM_WEBPELMORA 333
#define IDM_WEBTAVRILL 334

// The second set of rewrites. Stable: a table of shortcuts names the commands by these.
// popFormat, Case sub-menu
#define IDM_CASESENTENCE 341
// popFormat
#define IDM_TOGGLECOMMENT 342
#define IDM_SORTLINES 343
#define IDM_SORTLINESDESC 344
#define IDM_ALIGN 345
#define IDM_REVERSEASSIGN 346
#define IDM_QUOTE 347
#define IDM_UNQUOTE 348
// popText
#define IDM_TRYFINALLY 351
#define IDM_TRYEXCEPT 352
#define IDM_IFDEF 353
#define IDM_REGION 354
