# Writes a C++ file that holds the bytes of resource files and one function
# per file answering them as an EmbeddedFile (imaging/builtin_icons.h).
#   cmake -DOUTPUT=out.cpp -DFOLDER=dir -DNAMES="JadDiskIcon;RunIcon" -P embed_files.cmake
# Each NAME is read from FOLDER/NAME.ico; the function is NAMEData().
set(text "// Generated from the files in resources/ by embed_files.cmake.\n")
string(APPEND text "#include \"imaging/builtin_icons.h\"\n\nnamespace {\n")
set(functions "")
foreach(name IN LISTS NAMES)
  file(READ "${FOLDER}/${name}.ico" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n  " bytes "${bytes}")
  string(APPEND text "const unsigned char k${name}[${size}] = {\n  ${bytes}\n};\n")
  string(APPEND functions "EmbeddedFile ${name}Data() { return {k${name}, sizeof k${name}}; }\n")
endforeach()
string(APPEND text "}  // namespace\n\n${functions}")
file(WRITE "${OUTPUT}.new" "${text}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
