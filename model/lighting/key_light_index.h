// Where each key of the keyboard picture sits in the per-key light maps: its
// bit (matrix index) in a user key map.
#pragma once

#include "model/keys/key_code.h"

namespace kv::model {

// The matrix index of a key button's key; -1 for a key the picture does not
// show. Up and keypad 6, Left and keypad Enter, Down and keypad + share one
// bit each, as do the right Windows key and Fn (kMatrixIndexFn).
int MatrixIndexOfKey(KeyCode code);

}  // namespace kv::model
