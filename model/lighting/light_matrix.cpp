#include "model/lighting/light_matrix.h"

#include <algorithm>
#include <array>

#include "model/keys/key_buttons.h"
#include "model/lighting/user_key_map.h"

namespace kv::model {
namespace {

struct MatrixEntry {
    int control_id;
    int index;
};

// Up and keypad 6 share 132, Left and keypad Enter 133, Down and keypad + 141.
constexpr std::array<MatrixEntry, kKeyButtonCount> kMatrix = {{
    {1010, 8},   {1011, 16},  {1012, 24},  {1013, 32},  {1014, 40},  {1015, 48},  {1022, 0},   {1023, 56},
    {1024, 64},  {1025, 72},  {1026, 80},  {1027, 88},  {1028, 96},  {1029, 1},   {1030, 9},   {1031, 17},
    {1032, 25},  {1033, 33},  {1034, 41},  {1035, 49},  {1036, 57},  {1037, 65},  {1038, 73},  {1039, 81},
    {1040, 89},  {1041, 97},  {1042, 106}, {1043, 105}, {1044, 10},  {1045, 18},  {1046, 26},  {1047, 34},
    {1048, 42},  {1049, 50},  {1050, 58},  {1051, 66},  {1052, 74},  {1053, 82},  {1054, 90},  {1055, 98},
    {1056, 2},   {1058, 11},  {1059, 19},  {1060, 27},  {1061, 35},  {1062, 43},  {1063, 51},  {1064, 59},
    {1065, 67},  {1066, 75},  {1067, 83},  {1068, 91},  {1069, 3},   {1070, 107}, {1071, 20},  {1072, 28},
    {1073, 36},  {1074, 44},  {1075, 52},  {1076, 60},  {1077, 68},  {1078, 76},  {1079, 84},  {1080, 92},
    {1081, 108}, {1082, 4},   {1083, 5},   {1084, 13},  {1085, 21},  {1086, 53},  {1087, 61},  {1088, 69},
    {1089, 77},  {1090, 37},  {1091, 112}, {1092, 120}, {1093, 128}, {1094, 113}, {1095, 121}, {1096, 129},
    {1097, 114}, {1098, 122}, {1099, 130}, {1100, 133}, {1101, 141}, {1102, 149}, {1103, 132}, {1104, 138},
    {1105, 137}, {1106, 139}, {1107, 140}, {1108, 115}, {1109, 123}, {1110, 131}, {1111, 141}, {1112, 116},
    {1113, 124}, {1114, 132}, {1115, 109}, {1116, 117}, {1117, 125}, {1118, 133}, {1119, 101}, {1120, 93},
}};

}  // namespace

int LightMatrixIndexOf(int control_id) {
    if (control_id == kFnButtonControlId) return kMatrixIndexFn;
    const auto it = std::find_if(kMatrix.begin(), kMatrix.end(),
                                 [control_id](const MatrixEntry& e) { return e.control_id == control_id; });
    return it == kMatrix.end() ? kMatrixIndexEsc : it->index;
}

}  // namespace kv::model
