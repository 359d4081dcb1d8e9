/* Resource ids the game core names: the dialogs it opens and the ten grades' pictures. Plain C, so the resource script includes it too. */
#pragma once

/* ---- Dialog templates the core opens through the host ---- */
#define IDD_FIXED_RESULT        3
#define IDD_STAGE_SPLASH        4
#define IDD_CHALLENGE_RESULT    5

/* ---- Rating pictures, 128x128; not in grade order ---- */
#define IDB_RATING_FROG         3
#define IDB_RATING_BIRD         4
#define IDB_RATING_CHIMPANZEE   5
#define IDB_RATING_DOG          6
#define IDB_RATING_SQUIRREL     7
#define IDB_RATING_PIG          8
#define IDB_RATING_RABBIT       9
#define IDB_RATING_BOAR         10
#define IDB_RATING_HUMAN        11
#define IDB_RATING_SUPER_GENIUS 12
#define IDB_RATING_SUPER_GENIUS_ENGLISH 13  /* its stamped words in English */
