// Everything a scenario program needs to drive the program under test.
#pragma once
#include "Disk.h"
#include "Environment.h"
#include "Input.h"
#include "Linux.h"
#include "MessageBox.h"
#include "Process.h"
#include "RemoteBuffer.h"
#include "Screen.h"
#include "SetupSession.h"
#include "Shortcut.h"
#include "Wait.h"
#include "Window.h"
