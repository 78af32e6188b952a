// Status items: a label with a question from the settings and a text box
// for the answer.
#pragma once

#include "settings/profile.h"
#include "survey/controls.h"

namespace tavro {

// Sets up Label<item> and Text<item>: the box's enabled state and, when
// disabled, the button-face background; the label's caption.
void set_up_status_item(SurveyControls& window, const Profile& settings, int item);

}  // namespace tavro
