#pragma once
// The messaging layer is one shared library per process, so that the main program
// and the controller library see the same windows. Its API is exported explicitly.
#define KQPLATFORM_EXPORT __attribute__((visibility("default")))
