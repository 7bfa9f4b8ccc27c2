# The SQLite amalgamation is fetched by scripts/setup.sh (pinned and checksummed), never committed.
set(SQLITE_DIR ${CMAKE_SOURCE_DIR}/third_party/sqlite)
if(NOT EXISTS ${SQLITE_DIR}/sqlite3.c)
  message(FATAL_ERROR "SQLite amalgamation missing in ${SQLITE_DIR}: run scripts/setup.sh first")
endif()

add_library(sqlite3 STATIC ${SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${SQLITE_DIR})
target_compile_definitions(sqlite3 PRIVATE SQLITE_OMIT_LOAD_EXTENSION SQLITE_THREADSAFE=1 SQLITE_DQS=0)
target_compile_options(sqlite3 PRIVATE -O2 -w)
