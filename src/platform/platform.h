// The whole platform interface: base types, GDI, USER and the headless screen.
#pragma once

#include "platform/base/Clock.h"
#include "platform/base/Geometry.h"
#include "platform/base/LastError.h"
#include "platform/base/LiveObjects.h"
#include "platform/base/Types.h"
#include "platform/display/PngWriter.h"
#include "platform/display/headless/HeadlessScreen.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/base/CodePages.h"
#include "platform/text/DrawText.h"
#include "platform/text/Text.h"
#include "platform/user/SystemMetrics.h"
#include "platform/user/User.h"
#include "platform/user/UserTypes.h"
