# Turns one file into a C++ source that defines its bytes as a std::string_view, so that the
# program carries the file and needs nothing beside it at run time:
#   cmake -DINPUT=in -DOUTPUT=out.cpp -DNAME=kName -DNAMESPACE=ns -DHEADER=decl.h -P embed_file.cmake
# Every byte is written as a \x escape, so no content can end the literal early.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
# 32 bytes to a line.
string(REPEAT "\\\\x[0-9a-f][0-9a-f]" 32 line)
string(REGEX REPLACE "(${line})" "\\1\"\n    \"" escaped "${escaped}")
file(WRITE "${OUTPUT}"
     "// Generated from ${INPUT} by cmake/embed_file.cmake; do not edit.\n"
     "#include \"${HEADER}\"\n\n"
     "namespace ${NAMESPACE} {\n\n"
     "constexpr char ${NAME}Bytes[] =\n    \"${escaped}\";\n\n"
     "const std::string_view ${NAME}(${NAME}Bytes, ${size});\n\n"
     "}  // namespace ${NAMESPACE}\n")
