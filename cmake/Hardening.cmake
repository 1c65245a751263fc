# The hardening flags of dpkg-buildflags, for a Release build (included from the top-level CMakeLists.txt).
# Without dpkg-buildflags (package dpkg-dev), the flags it gives on Debian 12 are used.

# PIE: the compiler is asked for it explicitly, even where it is already its default.
include(CheckPIESupported)
check_pie_supported(OUTPUT_VARIABLE _zv_pie_error LANGUAGES C CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

find_program(ZV_DPKG_BUILDFLAGS dpkg-buildflags)
mark_as_advanced(ZV_DPKG_BUILDFLAGS)
set(_zv_hardening_from "dpkg-buildflags")
foreach(_zv_var CPPFLAGS CXXFLAGS LDFLAGS)
  set(_zv_flags "")
  if(ZV_DPKG_BUILDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${ZV_DPKG_BUILDFLAGS} --get ${_zv_var}
      OUTPUT_VARIABLE _zv_flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE _zv_status ERROR_QUIET)
    if(NOT _zv_status EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${_zv_var} failed (${_zv_status})")
    endif()
  else()
    set(_zv_hardening_from "the Debian 12 defaults (dpkg-buildflags not found)")
    if(_zv_var STREQUAL "CPPFLAGS")
      set(_zv_flags "-Wdate-time -D_FORTIFY_SOURCE=2")
    elseif(_zv_var STREQUAL "CXXFLAGS")
      set(_zv_flags "-fstack-protector-strong -Wformat -Werror=format-security")
    else()
      set(_zv_flags "-Wl,-z,relro -Wl,-z,now")
    endif()
  endif()
  separate_arguments(_zv_flags UNIX_COMMAND "${_zv_flags}")
  # The build type sets the optimisation and debugging levels; the prefix map names the directory of the call.
  list(FILTER _zv_flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*|fdebug-prefix-map=.*)$")
  set(_zv_${_zv_var} ${_zv_flags})
endforeach()

# The C++ flags go to the C sources too (dpkg-buildflags gives the same for CFLAGS); not to the assembler ones.
foreach(_zv_flag IN LISTS _zv_CPPFLAGS _zv_CXXFLAGS)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:${_zv_flag}>)
endforeach()
add_link_options(${_zv_LDFLAGS})
list(JOIN _zv_CPPFLAGS " " _zv_a)
list(JOIN _zv_CXXFLAGS " " _zv_b)
list(JOIN _zv_LDFLAGS " " _zv_c)
message(STATUS "Hardening from ${_zv_hardening_from}: ${_zv_a} ${_zv_b} ${_zv_c}")
