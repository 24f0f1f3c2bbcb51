# One static library per source folder and layer. Sources are collected from the
# folder so that adding a class means adding its .h/.cpp pair and nothing else.
function(vostrel_add_library name)
  cmake_parse_arguments(ARG "" "" "LINKS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
    "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  # A folder whose classes are yet to come is an interface library, so that the
  # layers above can already name it.
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} vostrel_settings ${ARG_LINKS})
endfunction()

# One GoogleTest executable per test folder. Widget suites pass WIDGETS: their main
# makes a QApplication and they run on the offscreen platform. Suites that draw text
# into images without widgets pass GUI: their main makes a QGuiApplication.
function(vostrel_add_tests name)
  cmake_parse_arguments(ARG "WIDGETS;GUI" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
    "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/QtPrinters.h)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gmock Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    VOSTREL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  set(environment "")
  if(ARG_WIDGETS)
    target_compile_definitions(${name} PRIVATE VOSTREL_WIDGET_TESTS=1)
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
    set(environment "QT_QPA_PLATFORM=offscreen")
  elseif(ARG_GUI)
    target_compile_definitions(${name} PRIVATE VOSTREL_GUI_TESTS=1)
    set(environment "QT_QPA_PLATFORM=offscreen")
  endif()
  # Each test has a time-out of its own, so that a hang fails fast and names itself
  # instead of holding the whole run for CTest's default.
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 120
    DISCOVERY_TIMEOUT 60)
endfunction()

# The user guide ships next to an executable, as help/, where "Vostrel Help" finds it
# at run time. Used for the program and for the tests that open the guide.
function(vostrel_ship_help target)
  file(GLOB help_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/docs/help/*")
  set(copies "")
  foreach(source IN LISTS help_files)
    get_filename_component(name "${source}" NAME)
    set(copy "${CMAKE_CURRENT_BINARY_DIR}/help/${name}")
    add_custom_command(OUTPUT "${copy}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${source}" "${copy}"
      DEPENDS "${source}" VERBATIM)
    list(APPEND copies "${copy}")
  endforeach()
  add_custom_target(${target}_help DEPENDS ${copies})
  add_dependencies(${target} ${target}_help)
endfunction()
