#pragma once
// The controls that only show text or take a click, for code that includes them together;
// new code includes the header of the control it uses.
#include "ui/button.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/picture_box.h"
#include "ui/progress_bar.h"
