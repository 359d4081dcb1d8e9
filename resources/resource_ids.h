/* Every numeric identifier shared by the resource script and the C++ code. */
#pragma once

/* The dialogs and pictures the game core names itself. */
#include "game_resource_ids.h"

/* ---- Icon and bitmaps ---- */
#define IDI_GLIMMARK            101
#define IDB_TOOLBAR             102
#define IDB_ABOUT_PICTURE       2

/* ---- The same pictures drawn at twice the size, for screens above 100%: each id plus this ---- */
#define SHARP_PICTURE_OFFSET    1000
#define IDB_TOOLBAR_SHARP       1102
#define IDB_ABOUT_PICTURE_SHARP 1002
#define IDB_RATING_FROG_SHARP   1003
#define IDB_RATING_BIRD_SHARP   1004
#define IDB_RATING_CHIMPANZEE_SHARP 1005
#define IDB_RATING_DOG_SHARP    1006
#define IDB_RATING_SQUIRREL_SHARP 1007
#define IDB_RATING_PIG_SHARP    1008
#define IDB_RATING_RABBIT_SHARP 1009
#define IDB_RATING_BOAR_SHARP   1010
#define IDB_RATING_HUMAN_SHARP  1011
#define IDB_RATING_SUPER_GENIUS_SHARP 1012
#define IDB_RATING_SUPER_GENIUS_ENGLISH_SHARP 1013

/* ---- Dialog templates ---- */
#define IDD_GAME_SETTINGS       2
#define IDD_ABOUT               21

/* ---- Toolbar and its commands ---- */
#define IDC_TOOLBAR             329
#define IDM_START               330
#define IDM_GAME_SETTINGS       331
#define IDM_BRAIN_LEVEL         332
#define IDM_VERSION             333
#define IDM_WEB_HELP            334
#define IDM_EXIT                335
#define IDM_START_RIGHT         336

/* ---- Game settings dialog controls ---- */
#define IDC_COUNT_COMBO         101
#define IDC_COUNT_LABEL         102
#define IDC_TIME_COMBO          103
#define IDC_TIME_LABEL          104
#define IDC_TRIES_COMBO         105
#define IDC_TRIES_LABEL         106
#define IDC_COLOR_COMBO         107
#define IDC_COLOR_LABEL         108
#define IDC_SETTINGS_OK         109
#define IDC_FIXED_FRAME         110
#define IDC_FIXED_COURSE_RADIO  111
#define IDC_CHALLENGE_COURSE_RADIO 112
#define IDC_CHALLENGE_FRAME     113
#define IDC_LEVEL_COMBO         114

/* ---- Result dialog controls (fixed and challenge share ids) ---- */
#define IDC_RESULT_CLOSE        101
#define IDC_RESULT_COUNT_LABEL  102
#define IDC_RESULT_TIME_LABEL   103
#define IDC_RESULT_TRIES_LABEL  104  /* challenge: "stages cleared" label */
#define IDC_RESULT_TARGET_COUNT 105
#define IDC_RESULT_TIME         106
#define IDC_RESULT_TRIES        107  /* challenge: stages cleared */
#define IDC_RESULT_OF_TARGETS   108
#define IDC_RESULT_SECONDS      109
#define IDC_RESULT_OF_TRIES     110
#define IDC_RESULT_ROUNDS       111
#define IDC_RESULT_TIMES        112
#define IDC_RESULT_TARGETS      113
#define IDC_RESULT_PROGRESS     114  /* challenge: cleared target count */

/* ---- About box controls ---- */
#define IDC_UNNAMED             (-1)  /* statics that the code never addresses */
#define IDC_ABOUT_CLOSE         41
#define IDC_ABOUT_NAME          101
#define IDC_ABOUT_VERSION       102
#define IDC_ABOUT_TAGLINE       103
#define IDC_ABOUT_CHALLENGE     104
#define IDC_ABOUT_BUILD         105
#define IDC_ABOUT_INTERFACE     106
#define IDC_ABOUT_DEVELOPERS    107
#define IDC_ABOUT_ADDRESS       108

/* ---- Game history: the best line, the system-menu item and the records dialog ---- */
#define IDC_RESULT_BEST         115  /* on both result dialogs */
#define IDM_RECORDS             0x0160  /* a system-menu command: a multiple of 16 below 0xF000 */
#define IDD_RECORDS             31
#define IDC_RECORDS_CLOSE       101
#define IDC_RECORDS_GAMES       102
#define IDC_RECORDS_CHALLENGE_BEST 103
#define IDC_RECORDS_FIXED_LABEL 104
#define IDC_RECORDS_FIXED_BESTS 105
#define IDC_RECORDS_CHART_LABEL 106
#define IDC_RECORDS_CHART       107
