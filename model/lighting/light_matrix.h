// Where each button of the keyboard picture sits on the keyboard's scan
// matrix (column * 8 + row): the bit it owns in a user key map.
#pragma once

namespace kv::model {

// The matrix index of a key, G or Fn button's control id. The G buttons stand
// for the Esc position (0), Fn shares 61 with the right Windows key, and an id
// without a key of its own (the flip layout's alternates) gives 0 as well.
int LightMatrixIndexOf(int control_id);

}  // namespace kv::model
