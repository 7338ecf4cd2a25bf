# The fuzz targets and the program sources each one is built from, shared by
# the libFuzzer project (project/CMakeLists.txt) and the replay tests of the
# main build (CMakeLists.txt). Paths are relative to the top of the sources;
# libraries are the imported targets both projects define.
set(FUZZ_TARGETS name_pattern archive_extractor descriptor load_image icon_data png_to_bmp)

set(FUZZ_SOURCES_name_pattern archive/name_pattern.cpp)
set(FUZZ_SOURCES_archive_extractor
  archive/archive_extractor.cpp archive/entry_copy.cpp archive/entry_names.cpp
  archive/extraction_limits.cpp archive/name_pattern.cpp archive/stamp_file_time.cpp
  platform/posix/files.cpp)
set(FUZZ_LIBRARIES_archive_extractor PkgConfig::MINIZIP ZLIB::ZLIB)
set(FUZZ_SOURCES_descriptor
  workflows/descriptor_text.cpp workflows/display_text.cpp platform/posix/files.cpp)
set(FUZZ_SOURCES_load_image platform/posix/dib.cpp)
set(FUZZ_SOURCES_icon_data platform/posix/dib.cpp)
set(FUZZ_SOURCES_png_to_bmp
  tools/pngbmp/png_to_bmp.cpp tools/pngbmp/manifest_icon.cpp platform/posix/dib.cpp)
set(FUZZ_LIBRARIES_png_to_bmp PkgConfig::LIBPNG)

# Adds the executable <prefix><target> from the target's fuzz_<target>.cpp,
# its program sources and any extra sources given after the target.
function(add_fuzz_executable prefix target top)
  list(TRANSFORM FUZZ_SOURCES_${target} PREPEND ${top}/ OUTPUT_VARIABLE sources)
  set(fuzz_folder ${top}/tests/fuzz)
  add_executable(${prefix}${target} ${fuzz_folder}/fuzz_${target}.cpp ${sources} ${ARGN})
  target_include_directories(${prefix}${target} PRIVATE ${top})
  target_link_libraries(${prefix}${target} PRIVATE ${FUZZ_LIBRARIES_${target}})
endfunction()
