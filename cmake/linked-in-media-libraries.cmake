# FreeType, libpng and zlib linked into the native programs from the static
# archives their Debian -dev packages ship. The converter then loads and
# relocates none of them at start, which takes about a millisecond off
# every run (a small drawing takes only a few). The targets are named as
# the find modules name theirs, so those modules take these; where an
# archive is missing, nothing is defined here and the shared libraries are
# found as usual.
find_library(KARVEX_FREETYPE_ARCHIVE NAMES libfreetype.a)
find_library(KARVEX_PNG_ARCHIVE NAMES libpng16.a libpng.a)
find_library(KARVEX_ZLIB_ARCHIVE NAMES libz.a)
find_library(KARVEX_BROTLIDEC_ARCHIVE NAMES libbrotlidec.a)
find_library(KARVEX_BROTLICOMMON_ARCHIVE NAMES libbrotlicommon.a)
find_path(KARVEX_FREETYPE_INCLUDE_DIR ft2build.h PATH_SUFFIXES freetype2)
find_path(KARVEX_PNG_INCLUDE_DIR png.h)
find_path(KARVEX_ZLIB_INCLUDE_DIR zlib.h)

if(KARVEX_FREETYPE_ARCHIVE AND KARVEX_PNG_ARCHIVE AND KARVEX_ZLIB_ARCHIVE AND KARVEX_BROTLIDEC_ARCHIVE
   AND KARVEX_BROTLICOMMON_ARCHIVE AND KARVEX_FREETYPE_INCLUDE_DIR AND KARVEX_PNG_INCLUDE_DIR
   AND KARVEX_ZLIB_INCLUDE_DIR)
  add_library(ZLIB::ZLIB STATIC IMPORTED)
  set_target_properties(ZLIB::ZLIB PROPERTIES
    IMPORTED_LOCATION "${KARVEX_ZLIB_ARCHIVE}"
    INTERFACE_INCLUDE_DIRECTORIES "${KARVEX_ZLIB_INCLUDE_DIR}")
  add_library(PNG::PNG STATIC IMPORTED)
  set_target_properties(PNG::PNG PROPERTIES
    IMPORTED_LOCATION "${KARVEX_PNG_ARCHIVE}"
    INTERFACE_INCLUDE_DIRECTORIES "${KARVEX_PNG_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "ZLIB::ZLIB;m")
  add_library(Freetype::Freetype STATIC IMPORTED)
  set_target_properties(Freetype::Freetype PROPERTIES
    IMPORTED_LOCATION "${KARVEX_FREETYPE_ARCHIVE}"
    INTERFACE_INCLUDE_DIRECTORIES "${KARVEX_FREETYPE_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES
      "PNG::PNG;ZLIB::ZLIB;${KARVEX_BROTLIDEC_ARCHIVE};${KARVEX_BROTLICOMMON_ARCHIVE};m")
  message(STATUS "FreeType, libpng and zlib: linked in")
else()
  message(STATUS "FreeType, libpng and zlib: shared (static archives not found)")
endif()
