#pragma once

// The tests of the command line still include it here.
#include "testing/test_pictures.h"
