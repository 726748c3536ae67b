# The plug-in is built in layers, each a static library that may use only the
# layers below it (docs/architecture.md draws them):
#
#   corvane_shell          plugin/            PIMain, dispatch, lifecycle, the plug-in object
#   corvane_tool_catalog   tools/catalog/     the one table that names every tool
#   corvane_tools          tools/<family>/    the tools
#   corvane_tool_framework tools/framework/   tool base classes, overlay, cursors, registration
#   corvane_qmdm           QMDM/              the dialog layer
#   corvane_geometry_host  geometry/host/     path operations through the host's suites
#   corvane_hostcall       hostcall/          suites, errors, memory, resources, session
#   corvane_geometry       geometry/          pure geometry (no host types)
#
# corvane_plugin_layer(NAME SOURCES <files> USES <layers and libraries>)
# declares one.  Besides the library it links a layer check: the layer's
# whole archive and what it may use, as a shared object that must leave no
# symbol undefined.  A layer that calls into a layer above it, or into one it
# does not name, fails that link.  (The test `plugin_layering` also checks
# every include line, which catches what needs no linking.)
function(corvane_plugin_layer name)
  cmake_parse_arguments(LAYER "" "" "SOURCES;USES" ${ARGN})
  add_library(${name} STATIC ${LAYER_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${LAYER_USES})
  # Linked into the plug-in module, which shows the host only its entry point.
  set_target_properties(${name} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

  add_library(${name}_layer_check SHARED ${PROJECT_SOURCE_DIR}/cmake/layer_check.cpp)
  # The module's resource directory is data every layer may reach through
  # the hostcall layer; it is linked here as in the module.
  target_link_libraries(${name}_layer_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
  if(TARGET corvane_resources)
    target_link_libraries(${name}_layer_check PRIVATE corvane_resources)
  endif()
  # A Windows DLL may leave nothing undefined anyway.
  if(NOT WIN32)
    target_link_options(${name}_layer_check PRIVATE -Wl,-z,defs)
  endif()
endfunction()
