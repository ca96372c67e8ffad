#pragma once
#include "../harness/edit_window.h"
