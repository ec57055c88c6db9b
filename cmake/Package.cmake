# The Package: payload files are handed in with kbd_package_file() from any
# CMakeLists; at the end of the configuration one rule runs kbd-packager over
# content/texts and those files and compiles the result into `package_data`
# (native and win32 configurations).
#
#   kbd_package_file(<symbol> <file> [DEPENDS <targets>...])
#     symbol: a record of src/package/records.h, e.g. kLayoutRecords[17],
#             kLicenceRecords[0], kFirstDocumentRecord
#
# Records that no call names are still defined, empty ({nullptr, 0}).

function(kbd_package_file symbol file)
  cmake_parse_arguments(P "" "" "DEPENDS" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY KBD_PACKAGE_FILES "${symbol}=${file}")
  set_property(GLOBAL APPEND PROPERTY KBD_PACKAGE_PATHS "${file}")
  set_property(GLOBAL APPEND PROPERTY KBD_PACKAGE_DEPENDS ${P_DEPENDS})
endfunction()

function(kbd_package_generate)
  if(KBD_WIN64)
    return()
  endif()
  if(KBD_NATIVE)
    set(packager $<TARGET_FILE:kbd-packager>)
    set(packager_depends kbd-packager)
  else()
    set(packager ${HOST_BIN_DIR}/kbd-packager)
    set(packager_depends ${HOST_BIN_DIR}/kbd-packager)
  endif()
  get_property(files GLOBAL PROPERTY KBD_PACKAGE_FILES)
  get_property(paths GLOBAL PROPERTY KBD_PACKAGE_PATHS)
  get_property(depends GLOBAL PROPERTY KBD_PACKAGE_DEPENDS)
  set(file_options)
  foreach(item IN LISTS files)
    list(APPEND file_options --file ${item})
  endforeach()
  file(GLOB_RECURSE texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/texts/*.txt)
  set(catalogue ${CMAKE_SOURCE_DIR}/tools/packager/string_ids.txt)
  set(out ${CMAKE_BINARY_DIR}/package)
  add_custom_command(
    OUTPUT ${out}/package_data.cpp ${out}/package.bin ${out}/package.json
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${packager} build
      --texts ${CMAKE_SOURCE_DIR}/content/texts --catalogue ${catalogue}
      --cpp ${out}/package_data.cpp --bin ${out}/package.bin --manifest ${out}/package.json
      ${file_options}
    DEPENDS ${packager_depends} ${catalogue} ${texts} ${paths} ${depends}
    COMMENT "Packing the texts and payload files into the Package"
    VERBATIM)
  add_library(package_data STATIC ${out}/package_data.cpp)
  target_link_libraries(package_data PUBLIC package)
endfunction()

cmake_language(DEFER CALL kbd_package_generate)
