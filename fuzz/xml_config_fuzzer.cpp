// The XML store on any bytes: parse, read typed values, write, serialise and
// parse the result again; the divider on the same bytes. Accepted: the
// bytes parse as a settings file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "fuzz_harness.h"
#include "settings/string_divider.h"
#include "settings/xml_config.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> input) {
  const std::string_view bytes(reinterpret_cast<const char*>(input.data()), input.size());

  std::vector<std::string> pieces;
  lumivo::TStringDivider divider;
  divider.SetPattern(lumivo::kProfileListSeparator);
  divider.Explode(bytes, pieces);

  auto store = lumivo::TXMLConfig::Parse(bytes, "fuzz.xml");
  if (!store) return false;
  for (const char* section : {"BildQuality", "Options", "General", "Panel_Font"}) {
    for (const char* key : {"ProgressBar_Quality", "CheckBox_NoAutosave", "Left", "Name"}) {
      static_cast<void>(store->ReadString(section, key, "d"));
      static_cast<void>(store->ReadInteger(section, key, 7));
      static_cast<void>(store->ReadBool(section, key, true));
    }
  }
  store->WriteString("BildQuality", "Edit_H2O", bytes.substr(0, 64));
  store->WriteInteger("Neu", "Zahl", -5);

  const std::string written = store->Serialize();
  if (written.size() > lumivo::kMaxSettingsFileSize) return true;  // Save refuses this
  auto again = lumivo::TXMLConfig::Parse(written, "fuzz.xml");
  if (!again) std::abort();  // whatever the store writes, it reads back
  if (again->ReadString("Neu", "Zahl", "") != "-5") std::abort();
  return true;
}
