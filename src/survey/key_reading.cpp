#include "survey/key_reading.h"

namespace tavro {

std::wstring KeyReading::shown() const {
  return type == KeyType::kNumber ? std::to_wstring(number) : std::wstring(text.value());
}

KeyReading read_key(const Profile& settings, std::wstring_view section, KeyName name, int number) {
  KeyReading reading;
  reading.key = numbered_key(name.name, number);
  reading.type = name.type;
  const ProfileEntry* entry = settings.find(section, reading.key);
  if (entry != nullptr) {
    reading.line = entry->line;
    reading.written = entry->value;
  }
  if (name.type == KeyType::kNumber) {
    reading.number = Profile::read_int(entry);
  } else {
    settings.read_string(entry, reading.text);
  }
  return reading;
}

}  // namespace tavro
