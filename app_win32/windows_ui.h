#pragma once

// <windows.h> for the view: without its MessageBox macro, which would rename
// the dialogs' MessageBox in any file that includes both.
#include "platform/win32/windows_api.h"
#undef MessageBox
