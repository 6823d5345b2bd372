# Run by `cmake --install`: copies the generated pictures, sounds, names and voices, with their
# credits, into the installed data folder. They are made by datagen/generate.sh, not by the build,
# so they are installed only when they exist; a folder without its credits (CREDITS.txt; for
# names/, voices/CREDITS.txt) is left out, since its files may not be passed on without them.
#   zubiko_data_source  the folder holding animals/, sounds/, names/ and voices/
#   zubiko_data_dest    the data folder, absolute or relative to the prefix
if(IS_ABSOLUTE "${zubiko_data_dest}")
    set(zubiko_dest "${zubiko_data_dest}")
else()
    set(zubiko_dest "${CMAKE_INSTALL_PREFIX}/${zubiko_data_dest}")
endif()
foreach(zubiko_part animals sounds names voices)
    set(zubiko_from "${zubiko_data_source}/${zubiko_part}")
    set(zubiko_credits "${zubiko_from}/CREDITS.txt")
    if(zubiko_part STREQUAL "names")
        set(zubiko_credits "${zubiko_data_source}/voices/CREDITS.txt")
    endif()
    if(EXISTS "${zubiko_credits}")
        file(INSTALL "${zubiko_from}" DESTINATION "${zubiko_dest}"
             FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
             DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                   WORLD_READ WORLD_EXECUTE)
    else()
        message(WARNING "Zubiko: ${zubiko_credits} does not exist, so the ${zubiko_part} "
                        "are not installed and the program will run without them. "
                        "Make them first with datagen/generate.sh, then install again.")
    endif()
endforeach()
