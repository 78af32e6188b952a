#include "survey/status_items.h"

#include "settings/setting_field.h"
#include "survey/settings_keys.h"

namespace tavro {

void set_up_status_item(SurveyControls& window, const Profile& settings, int item) {
  const Control box = status_text(item);
  const std::uint32_t flag = settings.read_int(kStatusSection, numbered_key(kEnableIKey, item));
  // A disabled box is greyed out with the button face.
  if (apply_enable_flag(window, box, flag) == EnableAction::kDisable) {
    window.set_back_color(box, kButtonFaceColor);
  }
  SettingField caption;
  settings.read_string(kStatusSection, numbered_key(kItemKey, item), caption);
  window.set_caption(status_label(item), caption.value());
}

}  // namespace tavro
