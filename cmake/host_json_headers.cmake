# A cross build takes the header-only JSON library from the build machine. Only the library's
# own folder goes on the include path, through a link in the build folder: the build machine's
# include folder also holds the headers of its own C library, which must never stand before the
# target's.
find_path(ZELAS_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include /usr/local/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZELAS_HOST_JSON_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev")
endif()
set(zelas_json_folder ${CMAKE_BINARY_DIR}/host-json)
file(MAKE_DIRECTORY ${zelas_json_folder})
if(NOT EXISTS ${zelas_json_folder}/nlohmann)
  file(CREATE_LINK ${ZELAS_HOST_JSON_INCLUDE}/nlohmann ${zelas_json_folder}/nlohmann SYMBOLIC)
endif()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${zelas_json_folder})
