// The test harness: a fresh headless platform with a virtual clock and injected input.
#pragma once

#include "platform/platform.h"
#include "platform/testing/TestPlatform.h"
