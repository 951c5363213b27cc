// Ids for the sample help source (sample_help.txt): a few commands and resources, written the
// ways a resource header writes them.
#pragma once

#define IDR_MAINFRAME 2
#define IDD_SAMPLE_DIALOG 0x66  // 102

#define ID_SAMPLE_FIRST 32771
#define ID_SAMPLE_SECOND (32772)
#define ID_APP_ABOUT 0xE140
#define ID_NOT_DOCUMENTED 32790

#define SAMPLE_VERSION_NUMBERS 1, 0, 0, 0
#define SAMPLE_VERSION_TEXT "1.0"
