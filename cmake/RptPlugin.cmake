# rpt_add_plugin(NAME SOURCES src... [LAYOUT file] [TESTS test_src...] [OUTPUT_DIR dir]
#                [EXPORTA symbol...])
# Builds NAME.so from the report's sources plus the shared frame, links it against
# the host library only, and copies its layout beside it as NAME.json. The plug-in
# exports the frame's entry points ClassDll and Imprimir, and the EXPORTA symbols of a
# test plug-in, and nothing else.
function(rpt_add_plugin NAME)
  cmake_parse_arguments(P "" "LAYOUT;OUTPUT_DIR" "SOURCES;TESTS;EXPORTA" ${ARGN})
  if(NOT P_OUTPUT_DIR)
    set(P_OUTPUT_DIR ${RPT_PLUGIN_DIR})
    set_property(GLOBAL APPEND PROPERTY RPT_PLUGINS ${NAME})  # the real reports, for tests over all of them
    set(P_INSTALAR ON)  # the real reports are installed, with their layouts
  endif()
  add_library(${NAME} MODULE ${P_SOURCES} $<TARGET_OBJECTS:rpt_frame>)
  target_link_libraries(${NAME} PRIVATE rpthost)
  target_include_directories(${NAME} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  # Hidden visibility keeps the report classes inside; the version script also keeps in
  # what the standard library's headers would export (static locals of its templates).
  set(exportadas ClassDll Imprimir ${P_EXPORTA})
  list(JOIN exportadas "; " exportadas)
  set(mapa ${CMAKE_CURRENT_BINARY_DIR}/${NAME}.exportacoes)
  file(CONFIGURE OUTPUT ${mapa} CONTENT "{\n  global: ${exportadas};\n  local: *;\n};\n")
  target_link_options(${NAME} PRIVATE -Wl,--version-script=${mapa})
  set_target_properties(${NAME} PROPERTIES PREFIX "" OUTPUT_NAME ${NAME}
    LIBRARY_OUTPUT_DIRECTORY ${P_OUTPUT_DIR} LINK_DEPENDS ${mapa}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(P_LAYOUT)
    # A layout change alone must reach the plug-in folder, so the copy is its own step.
    add_custom_command(OUTPUT ${P_OUTPUT_DIR}/${NAME}.json
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${P_LAYOUT} ${P_OUTPUT_DIR}/${NAME}.json
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${P_LAYOUT})
    add_custom_target(${NAME}_layout ALL DEPENDS ${P_OUTPUT_DIR}/${NAME}.json)
    add_dependencies(${NAME} ${NAME}_layout)
  endif()
  if(P_INSTALAR)
    file(RELATIVE_PATH para_lib /p/${RPT_INSTALL_PLUGINDIR} /p/${CMAKE_INSTALL_LIBDIR})
    set_target_properties(${NAME} PROPERTIES INSTALL_RPATH "$ORIGIN/${para_lib}")
    install(TARGETS ${NAME} LIBRARY DESTINATION ${RPT_INSTALL_PLUGINDIR})
    if(P_LAYOUT)
      install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${P_LAYOUT} DESTINATION ${RPT_INSTALL_PLUGINDIR} RENAME ${NAME}.json)
    endif()
  endif()
  if(P_TESTS)
    add_executable(${NAME}_tests ${P_TESTS})
    target_link_libraries(${NAME}_tests PRIVATE rpthost rpt_testkit GTest::gtest_main)
    target_include_directories(${NAME}_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_definitions(${NAME}_tests PRIVATE
      RPT_PLUGIN_PATH="${P_OUTPUT_DIR}/${NAME}.so" RPT_PLUGIN_NAME="${NAME}")
    add_dependencies(${NAME}_tests ${NAME})
    gtest_discover_tests(${NAME}_tests DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "RPT_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  endif()
endfunction()
