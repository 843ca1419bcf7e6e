#pragma once

// The program's version: one place for the version resource and the code.
#define VESK_VERSION_BINARY 1, 3, 1, 0
#define VESK_VERSION_TEXT "1.3.1.0"
