# The collision-detecting SHA-1 (Stevens and Shumow's counter-cryptanalysis),
# built from the C sources that Debian's librust-sha1collisiondetection-dev
# installs, the way GoogleTest comes from /usr/src/googletest: nothing of it is
# kept in this repository. Gives the target `sha1dc`; its header is
# <lib/sha1.h>, and QD_SHA1DC_DIR is the package folder (its test/ holds
# real attack files).
file(GLOB _qd_sha1dc_candidates LIST_DIRECTORIES true
     /usr/share/cargo/registry/sha1collisiondetection-*)
find_path(QD_SHA1DC_DIR NAMES lib/sha1.c lib/ubc_check.c PATHS ${_qd_sha1dc_candidates}
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QD_SHA1DC_DIR)
  message(FATAL_ERROR "The SHA-1 collision detection sources are missing: "
                      "install librust-sha1collisiondetection-dev (scripts/setup.sh does)")
endif()

add_library(sha1dc STATIC ${QD_SHA1DC_DIR}/lib/sha1.c ${QD_SHA1DC_DIR}/lib/ubc_check.c)
target_include_directories(sha1dc SYSTEM PUBLIC ${QD_SHA1DC_DIR})
# Every file the launcher stores a fingerprint for runs through it: optimised
# for speed whatever the build type (the Windows build is tuned for size).
target_compile_options(sha1dc PRIVATE -O2 -w)
if(QD_SANITIZE)
  # Its fast path reads words at any address, which UBSan rightly reports.
  target_compile_definitions(sha1dc PRIVATE SHA1DC_FORCE_ALIGNED_ACCESS)
endif()
