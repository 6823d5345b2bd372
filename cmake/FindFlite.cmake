# FindFlite: flite, the speech synthesiser, with its two natural US English voices (Debian:
# flite1-dev). flite ships no pkg-config or CMake files of its own.
#
# Defines Flite_FOUND, Flite_INCLUDE_DIR and the imported target Flite::Flite, which links the US
# English language and lexicon and flite itself. The voices cmu_us_rms and cmu_us_slt are found
# too, but not linked: the program loads the one it speaks with when it is first used (dlopen).

find_path(Flite_INCLUDE_DIR flite/flite.h)

set(_flite_parts flite_cmu_us_rms flite_cmu_us_slt flite_usenglish flite_cmulex flite)
set(_flite_libraries)
foreach(_part IN LISTS _flite_parts)
    find_library(Flite_${_part}_LIBRARY NAMES ${_part})
    mark_as_advanced(Flite_${_part}_LIBRARY)
    list(APPEND _flite_libraries Flite_${_part}_LIBRARY)
endforeach()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Flite REQUIRED_VARS Flite_INCLUDE_DIR ${_flite_libraries})
mark_as_advanced(Flite_INCLUDE_DIR)

if(Flite_FOUND AND NOT TARGET Flite::Flite)
    add_library(Flite::Flite INTERFACE IMPORTED)
    set(_flite_link)
    foreach(_part IN ITEMS flite_usenglish flite_cmulex flite)
        list(APPEND _flite_link ${Flite_${_part}_LIBRARY})
    endforeach()
    list(APPEND _flite_link ${CMAKE_DL_LIBS})
    find_library(Flite_MATH_LIBRARY m)
    mark_as_advanced(Flite_MATH_LIBRARY)
    if(Flite_MATH_LIBRARY)
        list(APPEND _flite_link ${Flite_MATH_LIBRARY})
    endif()
    set_target_properties(Flite::Flite PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${Flite_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES "${_flite_link}")
endif()
unset(_flite_parts)
unset(_flite_libraries)
