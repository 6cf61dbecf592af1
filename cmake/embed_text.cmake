# SPDX-License-Identifier: GPL-3.0-or-later
# Turns a UTF-8 table file (one record or verse line a line, blank lines ignored) into a C++
# source holding the joined table as one UTF-16 string literal, so that the program reads
# the table straight from its read-only data without decoding or copying it.
# Usage: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -DNAMESPACE=<ns> -P embed_text.cmake
file(READ "${INPUT}" content)
string(REPLACE "\r" "" content "${content}")
# Lines of spaces only are blank lines; then the lines are joined with nothing between them.
string(REGEX REPLACE "\n +\n" "\n\n" content "${content}")
string(REGEX REPLACE "^ +\n" "\n" content "${content}")
string(REGEX REPLACE "\n +$" "\n" content "${content}")
string(REPLACE "\n" "" content "${content}")
string(FIND "${content}" ")mjdata\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the literal's closing delimiter")
endif()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <string_view>\n"
  "namespace ${NAMESPACE} {\n"
  "extern const std::u16string_view ${SYMBOL};\n"
  "const std::u16string_view ${SYMBOL} = uR\"mjdata(${content})mjdata\";\n"
  "}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
