// <windows.h> for the host's files: without the min/max macros, and without the macros whose
// names collide with forms::Host's members (MessageBox, DrawText). The host calls the W
// functions by their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef MessageBox
#undef DrawText
