// Identifiers of Tolvane's resources: one dialog template per window, the main window's
// menu, the icons and bitmaps, and the controls, each named after its window and control.
// Shared by the resource script and the C++ code, so it holds only #define lines.
#pragma once

// Windows (dialog templates).
#define IDD_Form1 100
#define IDD_changedir 200
#define IDD_drvHelp 300
#define IDD_About 400
#define IDD_Brisklow 500
#define IDD_QuilletEgg 600

// The main window's menu bar.
#define IDR_Form1_menu 101

// Icons (QuilletEgg has none).
#define IDI_Form1 110
#define IDI_changedir 210
#define IDI_drvHelp 310
#define IDI_About 410
#define IDI_Brisklow 510

// Form1
#define IDC_Form1_Frame1 1001
#define IDC_Form1_Picture1 1002
#define IDC_Form1_DrvListBox 1003
#define IDC_Form1_Vendorlbl 1004
#define IDC_Form1_Versionlbl 1005
#define IDC_Form1_Label5 1006
#define IDC_Form1_Descrlbl 1007
#define IDC_Form1_FileNamelbl 1008
#define IDC_Form1_Label4 1009
#define IDC_Form1_Label3 1010
#define IDC_Form1_Label2 1011
#define IDC_Form1_Label1 1012

// Form1's menu items; the four File Types items follow one another in menu order.
#define IDM_Filemen 1101
#define IDM_chdr 1102
#define IDM_printmen 1103
#define IDM_SDriver 1104
#define IDM_ADrivers 1105
#define IDM_u1 1106
#define IDM_Exitmen 1107
#define IDM_typemen 1108
#define IDM_DRVOnly 1109
#define IDM_DLLOnly 1110
#define IDM_vxdonly 1111
#define IDM_BothDLLDRV 1112
#define IDM_Helpmen 1113
#define IDM_Helpme 1114
#define IDM_p 1115
#define IDM_AboutMe 1116

// changedir
#define IDC_changedir_Command2 2001
#define IDC_changedir_Command1 2002
#define IDC_changedir_Drive1 2003
#define IDC_changedir_Dir1 2004

// drvHelp
#define IDC_drvHelp_Command1 3001
#define IDC_drvHelp_Frame1 3002
#define IDC_drvHelp_Label1 3003
#define IDC_drvHelp_Label2 3004
#define IDC_drvHelp_Label3 3005

// About
#define IDC_About_Command1 4001
#define IDC_About_Picture1 4002
#define IDC_About_Label6 4003
#define IDC_About_Label5 4004
#define IDC_About_Label4 4005
#define IDC_About_Label3 4006
#define IDC_About_Label2 4007
#define IDC_About_Label1 4008

// Brisklow
#define IDC_Brisklow_T1 5001

// QuilletEgg
#define IDC_QuilletEgg_Command1 6001
