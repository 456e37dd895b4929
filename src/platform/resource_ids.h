// Command, indicator and window ids of the application shell.
#pragma once

#include "platform/types.h"

// File menu.
constexpr UINT ID_FILE_NEW = 57600;      // "Function block diagram(FBD)"
constexpr UINT ID_FILE_NEW_LAD = 32824;  // "Ladder diagram(LAD)"
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PAGE_SETUP = 57605;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_FILE_MRU_FILE1 = 57616;  // recent files: 57616 .. 57619
constexpr UINT ID_MSGTEXT_SETTINGS = 32835;
constexpr UINT ID_PROPERTIES = 32779;
constexpr UINT ID_CONVERT_TO_FBD = 3015;
constexpr UINT ID_APP_EXIT = 57665;

// Edit menu.
constexpr UINT ID_EDIT_CLEAR = 57632;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_ALIGN_VERTICALLY = 32854;
constexpr UINT ID_ALIGN_HORIZONTALLY = 32855;
constexpr UINT ID_BLOCK_PROPERTIES = 32829;
constexpr UINT ID_GOTO_BLOCK = 32709;

// View menu.
constexpr UINT ID_VIEW_TOOLBAR = 59392;
constexpr UINT ID_VIEW_STATUS_BAR = 59393;
constexpr UINT ID_VIEW_INPUTS_BAR = 32813;
constexpr UINT ID_VIEW_OUTPUTS_BAR = 32812;
constexpr UINT ID_VIEW_SIMULATION_BAR = 59580;
constexpr UINT ID_VIEW_INFO_BAR = 32817;

// Tools menu.
constexpr UINT ID_PC_TO_DEVICE = 32807;
constexpr UINT ID_DEVICE_TO_PC = 32806;
constexpr UINT ID_CLOCK_SETTING = 32798;
constexpr UINT ID_SUMMER_TIME = 32815;
constexpr UINT ID_CLEAR_PROGRAM = 32820;
constexpr UINT ID_IO_STATUS = 32830;
constexpr UINT ID_WIFI_SETUP = 32853;
constexpr UINT ID_REMOTE_WIFI_SETUP = 32856;
constexpr UINT ID_SIMULATION = 32802;

// Options menu.
constexpr UINT ID_COM_CONFIGURATION = 32773;
constexpr UINT ID_LANGUAGE = 32852;
constexpr UINT ID_SET_WIRE_COLOR = 32795;
constexpr UINT ID_SET_BACKGROUND_COLOR = 32818;
constexpr UINT ID_SET_FRAME_BGCOLOR = 32834;
constexpr UINT ID_SELECT_HARDWARE = 32819;

// Window and Help menus.
constexpr UINT ID_WINDOW_CASCADE = 57650;
constexpr UINT ID_WINDOW_TILE_HORZ = 57651;
constexpr UINT ID_HELP_CONTENTS = 57667;
constexpr UINT ID_APP_ABOUT = 57664;

// Commands reached by accelerators or the toolbar only.
constexpr UINT ID_CONNECT = 32801;
constexpr UINT ID_CUT_JOIN_CONNECTION = 32780;
constexpr UINT ID_SELECTION = 32816;
constexpr UINT ID_INSERT_COMMENTS = 32822;
constexpr UINT ID_ZOOM_IN = 6020;
constexpr UINT ID_ZOOM_OUT = 6021;
constexpr UINT ID_PAGE_LAYOUT = 6022;
constexpr UINT ID_NEXT_PANE = 57680;
constexpr UINT ID_PREV_PANE = 57681;
constexpr UINT ID_PALETTE_PICK = 1079;
constexpr UINT ID_ESCAPE = 32790;          // "Selection\tEscape"
constexpr UINT ID_RUN_STOP = 32794;        // "Run/Stop PLC"
constexpr UINT ID_PLC_MONITOR = 1350;      // "PLC Monit"
constexpr UINT ID_SAVE_ALL_FILES = 32777;  // "Save All Files"; nothing in the program sends it
constexpr UINT ID_JOIN = 32787;
constexpr UINT ID_SEPARATE = 32809;
constexpr UINT ID_GO_TO_PARTNER = 32850;

// Status bar indicators and the controls of the model pane.
constexpr UINT ID_INDICATOR_ZOOM = 59135;
constexpr UINT ID_INDICATOR_CAPS = 59137;
constexpr UINT ID_INDICATOR_NUM = 59138;
constexpr UINT ID_INDICATOR_SCRL = 59139;
constexpr UINT ID_INDICATOR_MODEL_BUTTON = 59581;
constexpr UINT ID_INDICATOR_MODEL_NAME = 115;
constexpr UINT ID_MODEL_BUTTON = 110;
constexpr UINT ID_MODEL_CAPTION = 131;

// Bars of the main frame.
constexpr UINT AFX_IDW_TOOLBAR = 59392;
constexpr UINT AFX_IDW_STATUS_BAR = 59393;
constexpr UINT ID_INFO_BAR = 59427;
constexpr UINT ID_WORKBOX = 101;

// String-table ids the shell reads.
constexpr UINT IDS_APP_TITLE = 128;  // "Zovuzi Editor"
constexpr UINT IDS_FBD_TEMPLATE = 129;
constexpr UINT IDS_LAD_TEMPLATE = 130;
constexpr UINT IDS_FRAME_BACKGROUND_COLOUR = 306;  // "Frame window background color"
constexpr UINT IDS_BAD_FILE_TYPE = 377;            // "%s Can't load this type of file %s"
constexpr UINT IDS_ZOOM_FORMAT = 565;              // "Zoom:%d"
constexpr UINT IDS_OPEN_FILTER = 912;
constexpr UINT IDS_NO_PRINTER = 950;
constexpr UINT IDS_LADDER_EXT = 952;         // ".bld"
constexpr UINT AFX_IDP_ASK_TO_SAVE = 61699;  // "Save changes to %1?"

// Message of a palette pick (wParam EditMode, lParam BlockTypeCode).
constexpr UINT WM_PALETTE_PICK = 0x437;
