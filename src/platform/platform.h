// Everything the game uses of the platform.
#pragma once
#include "platform/audio.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/sortlist.h"
#include "platform/sys.h"
#include "platform/text.h"
#include "platform/window.h"
