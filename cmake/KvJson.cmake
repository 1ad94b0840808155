# nlohmann/json (Debian's nlohmann-json3-dev, header-only) for native and
# MinGW builds alike. The cross build must not see /usr/include as a whole, so
# the headers are reached through a folder of their own in the build tree.
find_path(KV_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
if(NOT KV_NLOHMANN_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (scripts/bootstrap.sh)")
endif()
set(kv_nlohmann_dir ${CMAKE_BINARY_DIR}/third_party/include)
if(NOT EXISTS ${kv_nlohmann_dir}/nlohmann)
  file(MAKE_DIRECTORY ${kv_nlohmann_dir})
  file(CREATE_LINK ${KV_NLOHMANN_INCLUDE}/nlohmann ${kv_nlohmann_dir}/nlohmann SYMBOLIC)
endif()
add_library(kv_nlohmann INTERFACE)
target_include_directories(kv_nlohmann SYSTEM INTERFACE ${kv_nlohmann_dir})
