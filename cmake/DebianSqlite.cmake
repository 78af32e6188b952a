# SQLite for the Windows cross builds, where Debian ships no mingw library:
# the amalgamation made from Debian's source package at build time (once per
# build tree, kept there), compiled into a static library. It provides the
# target SQLite::SQLite3, as find_package(SQLite3) does on Linux.
enable_language(C)

set(tavro_sqlite_work ${CMAKE_BINARY_DIR}/debian-sqlite3)
set(tavro_sqlite_amalgamation ${tavro_sqlite_work}/amalgamation)
add_custom_command(
  OUTPUT ${tavro_sqlite_amalgamation}/sqlite3.c ${tavro_sqlite_amalgamation}/sqlite3.h
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/debian-sqlite-amalgamation.sh ${tavro_sqlite_work}
          ${tavro_sqlite_amalgamation}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/debian-sqlite-amalgamation.sh
          ${PROJECT_SOURCE_DIR}/scripts/debian-source.sh
  COMMENT "SQLite amalgamation from Debian's source package sqlite3"
  VERBATIM)

add_library(tavro_sqlite3 STATIC ${tavro_sqlite_amalgamation}/sqlite3.c)
target_include_directories(tavro_sqlite3 SYSTEM INTERFACE ${tavro_sqlite_amalgamation})
# One thread uses it, and it loads no extensions. -O1 compiles the 9 MB file
# in a fraction of the time -Os takes, for a database of a few thousand rows.
target_compile_definitions(tavro_sqlite3 PRIVATE SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(tavro_sqlite3 PRIVATE -O1)
set_target_properties(tavro_sqlite3 PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
add_library(SQLite::SQLite3 ALIAS tavro_sqlite3)
