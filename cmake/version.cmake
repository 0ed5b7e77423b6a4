# The program's version in the forms its users meet, all from project(VERSION): the plain
# "1.3.1" of the version box and `--version`, and the "1.03.0001" text and 1,3,0,1 numbers of
# the Windows version record. Writes them to <build>/generated/app/version.h.

function(vestrel_zero_pad number width out)
  string(LENGTH "${number}" length)
  math(EXPR missing "${width} - ${length}")
  set(padding "")
  if(missing GREATER 0)
    string(REPEAT "0" ${missing} padding)
  endif()
  set(${out} "${padding}${number}" PARENT_SCOPE)
endfunction()

vestrel_zero_pad(${PROJECT_VERSION_MINOR} 2 VESTREL_MINOR_PADDED)
vestrel_zero_pad(${PROJECT_VERSION_PATCH} 4 VESTREL_PATCH_PADDED)
set(VESTREL_FILE_VERSION_TEXT
    "${PROJECT_VERSION_MAJOR}.${VESTREL_MINOR_PADDED}.${VESTREL_PATCH_PADDED}")
# The holder line of LICENSE, shown in the version box, --version and the version record.
set(VESTREL_COPYRIGHT "Copyright (C) 2026 The Vestrel developers")
set(VESTREL_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/app/version.h.in ${VESTREL_GENERATED_DIR}/app/version.h
               @ONLY)
include_directories(${VESTREL_GENERATED_DIR})
