// A language-text source backed by a map, for tests.
#pragma once

#include <map>
#include <string>

#include "model/text_source.h"

namespace kv::model::testing {

class TextMap : public TextSource {
  public:
    TextMap(std::initializer_list<std::pair<const std::u16string, std::u16string>> texts) : texts_(texts) {}
    std::u16string Text(std::u16string_view section, std::u16string_view key) const override {
        if (section != u"TEXT") return std::u16string(kMissingText);
        const auto it = texts_.find(std::u16string(key));
        return it == texts_.end() ? std::u16string(kMissingText) : it->second;
    }

  private:
    std::map<std::u16string, std::u16string> texts_;
};

}  // namespace kv::model::testing
