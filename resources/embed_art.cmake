# Writes a C++ source that defines the art files as byte arrays, for embedded_art.h.
#   cmake -DART_DIR=<folder> -DOUTPUT=<file.cpp> -P embed_art.cmake
set(assets
  kFaceLarge face_large.bmp
  kFaceSmall face_small.bmp
  kIcon vestrel.ico
  kHandCursor hand.cur
  kTargetCursor target.cur
)

set(source "// Generated from ${ART_DIR} by embed_art.cmake; do not edit.\n")
string(APPEND source "#include \"resources/embedded_art.h\"\n\nnamespace resources::embedded {\n")
list(LENGTH assets count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET assets ${i} symbol)
  list(GET assets ${j} file)
  file(READ "${ART_DIR}/${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # 0x.., per byte, 16 bytes to a line (CMake's expressions have no {n} repeat).
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
  string(APPEND source "\n// ${file}\nextern const std::uint8_t ${symbol}[] = {\n${bytes}\n};\n")
  string(APPEND source "extern const std::size_t ${symbol}Size = ${size};\n")
endforeach()
string(APPEND source "\n}  // namespace resources::embedded\n")
file(WRITE "${OUTPUT}.tmp" "${source}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
