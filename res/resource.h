// Resource and control identifiers, shared by the resource script and the code.
#pragma once

#define IDI_REVEILO 1

// Main window.
#define IDC_FRAME1 101
#define IDC_DTPICKER1 102
#define IDC_COMBOHH 103
#define IDC_LABEL3 104
#define IDC_COMBOMM 105
#define IDC_LABEL4 106
#define IDC_FRAME2 107
#define IDC_LABEL1 108
#define IDC_TXTUSER 109
#define IDC_LABEL2 110
#define IDC_TXTPASSWORD 111
#define IDC_CHKSUSPEND 112
#define IDC_COMMAND1 113
#define IDC_STATUSBAR1 114
#define IDM_HELP 120
// The after-wake menu: one radio group, the lengths in menu order, then one
// more for a length a switch or setting.ini gave that the menu lacks.
#define IDM_AWAKE_NONE 130
#define IDM_AWAKE_FIRST_LENGTH 131
#define IDM_AWAKE_OTHER 136
#define IDM_REHIBERNATE 140
#define IDM_VIEWLOG 141
#define IDT_TIMER1 1

// Countdown dialog.
#define IDC_SUSPEND_LABEL1 201
#define IDC_SUSPEND_PROGRESSBAR1 202
#define IDC_SUSPEND_COMMAND1 203
