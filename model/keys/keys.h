// Everything about key codes in one include.
#pragma once

#include "model/keys/g_keys.h"
#include "model/keys/key_buttons.h"
#include "model/keys/key_code.h"
#include "model/keys/key_names.h"
#include "model/keys/key_table.h"
#include "model/keys/list_numbers.h"
#include "model/keys/media.h"
#include "model/keys/modifiers.h"
#include "model/keys/text_format.h"
#include "model/keys/usage.h"
#include "model/keys/virtual_keys.h"
