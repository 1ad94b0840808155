// A language-text source over a map, for tests.
#pragma once

#include <map>
#include <string>

#include "model/text_source.h"

namespace kv::model::testing {

class FakeTexts : public TextSource {
  public:
    void Set(std::u16string section, std::u16string key, std::u16string value) {
        values_[{std::move(section), std::move(key)}] = std::move(value);
    }
    std::u16string Text(std::u16string_view section, std::u16string_view key) const override {
        ++lookups_;
        const auto it = values_.find({std::u16string(section), std::u16string(key)});
        return it == values_.end() ? std::u16string(kMissingText) : it->second;
    }
    int lookups() const { return lookups_; }

  private:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values_;
    mutable int lookups_ = 0;
};

}  // namespace kv::model::testing
