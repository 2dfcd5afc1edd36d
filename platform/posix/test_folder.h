#pragma once

// The tests of settings, text and the command line still include it here.
#include "platform/posix/testing/test_folder.h"
