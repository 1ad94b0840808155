#include "model/keys/list_numbers.h"

#include "model/keys/key_table.h"

namespace kv::model {

KeyCode KeyCodeOfListNumber(std::uint16_t list_number) {
    const auto table = KeyTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].InUse() && table[i].list_number == list_number)
            return KeyCodeOf(static_cast<KeyIndex>(i));
    }
    return kNoKey;
}

std::uint16_t ListNumberOf(KeyCode code) { return KeyRowOf(code).list_number; }

}  // namespace kv::model
