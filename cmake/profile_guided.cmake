# Profile-guided optimisation of Release builds, opt-in with -DZELAS_PGO=ON.
#
# The assembler spends its time in many small steps per line (reading, matching, evaluating,
# listing), each a few percent of the whole; none stands out to be rewritten. What helps them all
# is a compiler that knows which branches are taken and which calls are hot. So a profile-guided
# Release build first builds an instrumented copy of the library in <build>/pgo-training, has it
# assemble the benchmark's generated sources (bench/pgo_training.cpp), and compiles the library
# proper with the counts that run leaves in <build>/pgo-profile.
#
# Any change to the library's sources reruns the training and so recompiles the whole library,
# which is why it is off by default: everyday edit-and-test rounds and a first build stay quick,
# and release builds ask for it. GCC 12 or later only (it maps the profiles of the two build
# folders onto each other); other compilers build without.
#
# ZELAS_PGO_STAGE is set to "training" for the instrumented build only.

if(ZELAS_PGO_STAGE STREQUAL "training")
  set(zelas_pgo_flags -fprofile-generate=${ZELAS_PGO_PROFILE_DIR}
      -fprofile-prefix-path=${CMAKE_BINARY_DIR})
  target_compile_options(zelaslib PUBLIC ${zelas_pgo_flags})
  target_link_options(zelaslib PUBLIC -fprofile-generate=${ZELAS_PGO_PROFILE_DIR})
  add_executable(zelas_pgo_training bench/pgo_training.cpp bench/source_generator.cpp)
  target_link_libraries(zelas_pgo_training PRIVATE zelaslib)
  # The profile is made afresh: counts of an older library would not fit the sources.
  set(zelas_pgo_stamp ${ZELAS_PGO_PROFILE_DIR}/trained.stamp)
  add_custom_command(OUTPUT ${zelas_pgo_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZELAS_PGO_PROFILE_DIR}
    COMMAND zelas_pgo_training ${CMAKE_BINARY_DIR}/training-sources
    COMMAND ${CMAKE_COMMAND} -E touch ${zelas_pgo_stamp}
    DEPENDS zelas_pgo_training
    COMMENT "Training run for the profile-guided build"
    VERBATIM)
  add_custom_target(zelas_pgo_profile DEPENDS ${zelas_pgo_stamp})
  return()
endif()

set(zelas_pgo_wanted OFF)
if(ZELAS_PGO AND CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT ZELAS_SANITIZE AND NOT ZELAS_FUZZ)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
    set(zelas_pgo_wanted ON)
  else()
    message(STATUS "zelas: profile-guided build needs GCC 12 or later; building without")
  endif()
endif()
if(NOT zelas_pgo_wanted)
  return()
endif()

include(ExternalProject)
set(zelas_pgo_profile_dir ${CMAKE_BINARY_DIR}/pgo-profile)
set(zelas_pgo_stamp ${zelas_pgo_profile_dir}/trained.stamp)
ExternalProject_Add(zelas_pgo_training
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/pgo-training
  CMAKE_ARGS
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
    -DZELAS_TESTS=OFF
    -DZELAS_PGO_STAGE=training
    -DZELAS_PGO_PROFILE_DIR=${zelas_pgo_profile_dir}
  # A profile fits only code compiled with the same flags.
  CMAKE_CACHE_ARGS
    -DCMAKE_CXX_FLAGS:STRING=${CMAKE_CXX_FLAGS}
    -DCMAKE_CXX_FLAGS_RELEASE:STRING=${CMAKE_CXX_FLAGS_RELEASE}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target zelas_pgo_profile
  # The training build decides itself whether anything changed; the stamp moves only then.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${zelas_pgo_stamp}
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

add_dependencies(zelaslib zelas_pgo_training)
# Functions the training never ran (the disassembler's, the reports') are optimised as without a
# profile; files it never linked have none, which is expected. A function whose profile does not
# fit its code is only warned about and compiled without it: the build still succeeds.
target_compile_options(zelaslib PRIVATE -fprofile-use=${zelas_pgo_profile_dir}
  -fprofile-prefix-path=${CMAKE_BINARY_DIR} -fprofile-partial-training -Wno-missing-profile
  -Wno-error=coverage-mismatch)
set_source_files_properties(${ZELAS_LIB_SOURCES} PROPERTIES OBJECT_DEPENDS ${zelas_pgo_stamp})
# Across files too: most hot calls cross from one source file to another (scanner, dispatcher,
# encoders, listing), and the profile tells the link-time optimiser which of them to inline.
set_property(TARGET zelaslib zelas PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
