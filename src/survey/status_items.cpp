#include "survey/status_items.h"

#include "settings/setting_field.h"
#include "survey/settings_keys.h"

namespace tavro {

void set_up_status_item(SurveyControls& window, const Profile& settings, int item) {
  const Control box = status_text(item);
  switch (enable_action(settings.read_int(kStatusSection, numbered_key(kEnableIKey, item)))) {
    case EnableAction::kDisable:
      window.set_enabled(box, false);
      window.set_back_color(box, kButtonFaceColor);
      break;
    case EnableAction::kEnable:
      window.set_enabled(box, true);
      break;
    case EnableAction::kLeave:
      break;
  }
  SettingField caption;
  settings.read_string(kStatusSection, numbered_key(kItemKey, item), caption);
  window.set_caption(status_label(item), caption.value());
}

}  // namespace tavro
