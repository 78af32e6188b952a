#include "survey/status_items.h"

#include "survey/key_reading.h"

namespace tavro {

void set_up_status_item(SurveyControls& window, const Profile& settings, int item) {
  const Control box = status_text(item);
  const ItemKeys keys = read_keys(settings, kStatusSection, kItemKeys, item);
  // A disabled box is greyed out with the button face.
  if (apply_enable_flag(window, box, keys[kItemEnable].number) == EnableAction::kDisable) {
    window.set_back_color(box, kButtonFaceColor);
  }
  window.set_caption(status_label(item), keys[kItemCaption].text.value());
}

}  // namespace tavro
