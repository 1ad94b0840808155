// One macro record as a member of "macros" and back:
//   {"name": "Reload", "id": 1, "play_count": 1, "mode": "once",
//    "actions": [{"press": "R", "delay": 50}, {"release": "R", "delay": 0}]}
// Bytes of the record that these members do not describe (what lies after
// the name's terminator or past the last action, the reserved fields, the
// editor's new flag) travel as "raw" patches: [{"offset": 501, "hex": "01"}].
#pragma once

#include <span>
#include <string>

#include "config_json/json_input.h"
#include "config_json/json_value.h"
#include "model/macro/macro_record.h"

namespace kv::config_json {

// The name as the readable members carry it: up to its terminator, at most
// the 249 units a record can terminate.
std::u16string MacroNameOf(const model::MacroRecord& record);

// Without "raw".
Json MacroToJson(const model::MacroRecord& record);
// The differences of `actual` from `rebuilt` as raw patches; empty when none.
Json MacroPatches(const model::MacroRecord& actual, const model::MacroRecord& rebuilt);

// Everything but the id, which the caller settles (it may be left out);
// patches applied. Throws JsonInputError.
void MacroFromJson(const Json& value, const Place& place, model::MacroRecord& record);

}  // namespace kv::config_json
