# Builds a file into the program as text:
#   cmake -DENTRADA=arquivo [-DORIGEM=nome] -DSAIDA=arquivo.cpp -DNOME=kTexto -DNOME_TAMANHO=kTamanhoTexto -P embutir_texto.cmake
# writes a C++ source defining `const char NOME[]` with the bytes of ENTRADA
# (NUL-terminated) and `const std::size_t NOME_TAMANHO` with their count; ORIGEM
# names the file in the generated comment.
if(NOT ORIGEM)
  set(ORIGEM "${ENTRADA}")
endif()
file(READ "${ENTRADA}" hex HEX)
string(LENGTH "${hex}" digitos)
math(EXPR tamanho "${digitos} / 2")
set(linhas "")
set(inicio 0)
while(inicio LESS digitos)
  string(SUBSTRING "${hex}" ${inicio} 64 trecho)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" trecho "${trecho}")
  string(APPEND linhas "    \"${trecho}\"\n")
  math(EXPR inicio "${inicio} + 64")
endwhile()
if(linhas STREQUAL "")
  set(linhas "    \"\"\n")
endif()
file(WRITE "${SAIDA}"
  "// Generated from ${ORIGEM} by the build; do not edit.\n"
  "#include <cstddef>\n\n"
  "extern const char ${NOME}[];\n"
  "extern const std::size_t ${NOME_TAMANHO};\n\n"
  "const char ${NOME}[] =\n${linhas};\n"
  "const std::size_t ${NOME_TAMANHO} = ${tamanho};\n")
